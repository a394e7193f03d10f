#pragma once
// The central link as the station shows it: whether the server took the last work, how many calls
// wait in the outbox, and why the server is away. A value, made on the shipper's thread and handed
// to the window thread by a signal.
#include <QMetaType>
#include <QString>

struct TCentralLinkState {
    enum class TLink { Connecting, Up, Away };
    TLink Link = TLink::Connecting;
    int Backlog = 0;
    QString Why;  // Away only: the server's or the network's reason

    bool IsAway() const { return Link == TLink::Away; }
    friend bool operator==(const TCentralLinkState&, const TCentralLinkState&) = default;
};
Q_DECLARE_METATYPE(TCentralLinkState)

// The status line's text: the link and, while calls wait, their count.
QString CentralLinkText(const TCentralLinkState& state);
