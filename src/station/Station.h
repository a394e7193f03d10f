#pragma once
// The station without its windows: data store, settings, layouts, serial
// port, receive path, live calls and the worker, started and closed in order.
// main() makes one; the headless console or the main window is its face.
#include "calls/CallJournal.h"
#include "calls/CallLog.h"
#include "calls/CallTracker.h"
#include "calls/DutyLookup.h"
#include "central/CentralLink.h"
#include "comm/DeviceReplies.h"
#include "comm/FrameHandler.h"
#include "comm/FrameSync.h"
#include "comm/LinkCounters.h"
#include "comm/RecvRing.h"
#include "comm/SerialPort.h"
#include "core/DataStore.h"
#include "core/Environment.h"
#include "station/CallEventsTee.h"
#include "station/FaceThread.h"
#include "layout/LayoutModel.h"

#include <QObject>
#include <memory>

class TCentralShipper;

class IClock;
class ISoundPlayer;
class ICallEvents;

class TStation final : public QObject {
    Q_OBJECT
public:
    // env is the window thread's copy, owned by the caller and outliving the station: Start reads
    // the settings into it, the settings dialog changes it, the live calls are timed by it.
    TStation(TEnvironment& env, const IClock& clock, ISoundPlayer& sound, ICallEvents& events,
             QObject* parent = nullptr);
    // Without a face yet: events go nowhere until SetEvents names one (the main window, once made).
    TStation(TEnvironment& env, const IClock& clock, ISoundPlayer& sound, QObject* parent = nullptr);
    ~TStation() override;

    // The face told of calls and store errors from now on; null for none (a face that goes away first).
    void SetEvents(ICallEvents* events);
    // Also told of the calls, beside the face (the web page); null for none. Before Start, to hear of
    // the calls brought back at the start.
    void SetWatcher(ICallEvents* watcher) { tee_.SetWatcher(watcher); }

    // Opens the data store in the data directory, reads the settings and layouts, opens the
    // port and the roster queries, brings back the calls that were live when the
    // station last went down, and starts the worker. False only when the data
    // store cannot be opened; a port that does not open leaves it running.
    bool Start(QString* error = nullptr);
    // Opens this device instead of the configured port (the demo's simulated receiver); before Start.
    void SetPortOverride(const QString& device) { portOverride_ = device; }
    // The worker's longest wait for received bytes (before Start); 1000 ms normally.
    void SetWorkerCycle(int ms) { workerCycleMs_ = ms; }
    // Stops the worker, closes the queries and the port, logs every live call as not served
    // (rows the call log does not take now stay in the journal for the next start).
    void Close();
    bool IsClosed() const { return closed_; }

    // After a saved layout edit: the worker has the tree rebuilt and the calls relinked.
    void RaiseLayoutChange();
    // After the staff editor saved: the roster queries are reopened.
    bool ReopenRosterQueries(QString* error = nullptr);
    // After the settings changed: reopens the port when it differs.
    void ApplyPortSettings();

    TEnvironment& Environment() { return env_; }
    TDM_Sys& Store() { return store_; }
    TLayOutTree& LayoutTree() { return tree_; }
    TCallTracker& Tracker() { return tracker_; }
    TMSComm& Port() { return comm_; }
    TDeviceReplies& DeviceReplies() { return replies_; }
    ISerialLine& Line() { return comm_; }
    TCallLog& CallLog() { return log_; }
    // What the receive path took in and made of it since the start; readable from any thread.
    TLinkCounts LinkCounts() const { return ReadLinkCounts(ring_, sync_, handler_); }

signals:
    void PortStatusChanged(const QString& text, bool isError);
    // The call log's state: rows waiting for a locked or full log, a journal that cannot be written.
    void CallLogStatusChanged(const QString& text, bool isError);
    // The link to the chain's central server and the calls waiting for it ([Central] configured only).
    void CentralLinkChanged(const TCentralLinkState& state);

private:
    void ReloadLayouts();
    void RecoverCalls();
    // With [Central] Connect= in Config.ini: the calls logged from now on enter the outbox, shipped by
    // a thread of its own.
    void PrepareShipping();

    TEnvironment& env_;
    const IClock& clock_;
    ICallEvents* events_;
    TCallEventsTee tee_;  // the face and the watcher, as the tracker hears them
    TDM_Sys store_;
    TLayOutTree tree_;
    TDutyLookup duty_;
    TCallJournal journal_;
    TCallLog log_;
    TCallTracker tracker_;
    TRecvRing ring_;
    TMSComm comm_;
    TDeviceReplies replies_;
    TFrameHandler handler_;
    TFrameSync sync_;
    std::unique_ptr<TFaceThread> worker_;
    std::unique_ptr<TCentralShipper> shipper_;
    bool receiverOk_ = false;
    int workerCycleMs_ = 1000;
    QString portOverride_;
    bool started_ = false;
    bool closed_ = false;
};
