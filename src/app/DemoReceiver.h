#pragma once
// The demo mode's receiver: a pseudo-terminal pair standing in for the
// wireless receiver. The station opens the slave side like any serial device;
// the master side sends it calls and cancels from the stored call points, as
// guests and waiters would, and takes the acknowledgements back. It also
// answers the device tools as an LED display, a configuration memory and a
// binding target on the line would.
#include "comm/FrameSync.h"
#include "comm/RecvRing.h"
#include "sim/Devices.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <QTime>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

class QSocketNotifier;
class TDM_Sys;

// A call from a call point: a mid frame (command 0x91) or a variable frame
// (command 0x81, L = 12) with the address, the key and the press time in BCD.
QByteArray DemoCallFrame(uint16_t address, uint8_t key, const QTime& t, bool variable);
// A waiter's cancel at a call point: a mid frame (command 0x92) naming the
// cancel unit, or a variable frame (command 0x81) with key 10, which names none.
QByteArray DemoCancelFrame(uint16_t address, uint8_t cancelUnit, const QTime& t, bool variable);

class TDemoReceiver final : public QObject, private IFrameHandlers {
    Q_OBJECT
public:
    // The seed fixes the sequence of tables, keys, frame forms and delays.
    explicit TDemoReceiver(quint32 seed, QObject* parent = nullptr);
    ~TDemoReceiver() override;

    // Opens the pseudo-terminal pair in raw mode; false with the reason when none is to be had.
    bool Open(QString* error = nullptr);
    // The slave device the station is to open; empty until opened.
    QString DevicePath() const { return devicePath_; }

    // Reads the call points and who is on duty with which cancel unit from the
    // store, then sends a call every 3-6 s. False when there is no call point.
    bool Start(TDM_Sys& store, QString* error = nullptr);
    // No more calls or cancels; acknowledgements still arriving are taken in.
    void Stop();

    // Sends one call now at a random call point, and perhaps schedules its cancel.
    void SendCall();

    int FramesSent() const { return framesSent_; }
    // Acknowledgements that answered a frame sent here, by length, command and address.
    int AcknowledgementsMatched() const { return acksMatched_; }

private:
    // One roster row as the receiver needs it: when the waiter carrying the unit is on duty there.
    struct TDuty {
        uint16_t Address;
        QTime Start, End;
        uint8_t CancelUnit;
    };
    struct TPendingCancel {
        qint64 DueMs;
        uint16_t Address;
    };
    // What a sent frame's acknowledgement must carry.
    struct TAwaitedAck {
        int Length;
        uint8_t Command;
        uint16_t Address;
    };

    bool ReadTargets(TDM_Sys& store, QString* error);
    void Pace();
    void ScheduleNextCall();
    void SendCancel(uint16_t address);
    // Cancel unit of the waiter on duty at the address now; 0 when nobody is.
    uint8_t CancelUnitOnDuty(uint16_t address, const QTime& now) const;
    void Send(const QByteArray& frame);
    bool WriteLine(const QByteArray& bytes);
    void AnswerDevices(const uint8_t* bytes, int n);
    void DrainMaster();
    void MatchAck(const uint8_t* frame, int n);

    void HandleShortFrame(const uint8_t*) override {}
    void HandleMidFrame(const uint8_t* frame) override;
    void HandleVarFrame(const uint8_t* frame, int n) override;

    QRandomGenerator rng_;
    int master_ = -1;
    int slave_ = -1;   // kept open so the line never hangs up while the station reopens it
    QString devicePath_;
    std::unique_ptr<QSocketNotifier> readable_;
    TRecvRing ring_;
    TFrameSync sync_{ring_, *this};
    sim::Devices devices_;
    QByteArray deviceInput_;  // what the station sent that may still hold part of a device command

    std::vector<uint16_t> addresses_;
    std::vector<TDuty> roster_;

    QTimer pacer_;
    QElapsedTimer clock_;
    qint64 nextCallMs_ = 0;
    std::vector<TPendingCancel> cancels_;
    std::deque<TAwaitedAck> awaited_;
    int framesSent_ = 0;
    int acksMatched_ = 0;
};
