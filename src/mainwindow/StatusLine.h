#pragma once
// The status line at the bottom of the main window: the message line, the
// call log's failure (in red, only while there is one), the central link
// (only with a central server; amber while it is away), the serial port's
// state and the clock.
#include "central/CentralLink.h"
#include "comm/LinkCounters.h"

#include <QSize>
#include <QString>
#include <functional>

class IClock;
class QLabel;
class QWidget;

// The clock's text: today in dateFormat (the display date format), then the time of day.
QString ClockText(const IClock& clock, const QString& dateFormat);

class TStatusLine {
public:
    explicit TStatusLine(QWidget* window);

    // Clock at the bottom right, port label left of it, message line filling the rest.
    // Clock and port label are 120 pixels wide, wider when their text needs it.
    void Place(const QSize& clientSize);

    void SetMessage(const QString& text);
    // why: the reason of a failure, shown as the port field's tooltip.
    void SetPortStatus(const QString& text, bool isError, const QString& why = QString());
    // Shown at the right end of the message line while isError; hidden otherwise.
    void SetLogStatus(const QString& text, bool isError);
    // Shown left of the port field from the first state on.
    void SetCentralLink(const TCentralLinkState& state);
    void SetClock(const QString& text);
    // The port field's tooltip shows the link counters that read gives when it opens.
    void ShowLinkCounts(std::function<TLinkCounts()> read);

    // The right edges (left + width) of the message line and the port label,
    // where the window draws its separators.
    int MessageRight() const;
    int PortRight() const;

    const QLabel* Message() const { return message_; }
    const QLabel* Port() const { return port_; }
    const QLabel* LogState() const { return log_; }
    const QLabel* Clock() const { return clock_; }
    const QLabel* Central() const { return central_; }

private:
    QSize clientSize_;
    QLabel* clock_;
    QLabel* port_;
    QLabel* central_;
    QLabel* log_;
    QLabel* message_;
};
