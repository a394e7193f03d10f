#pragma once
// The port field's tooltip: the link counters as they stand when the tip opens,
// so that "the buttons do nothing" can be told apart from a line that brings
// broken frames or takes no acknowledgements.
#include "comm/LinkCounters.h"

#include <QObject>
#include <functional>

class QWidget;

// The tip's text: a heading and one row per counter; frames dropped and
// acknowledgements not written in red when there are any.
QString LinkCountsTipText(const TLinkCounts& counts);

class TLinkCountsTip final : public QObject {
public:
    // Lives as long as the field; read gives the counters as they stand.
    TLinkCountsTip(QWidget* field, std::function<TLinkCounts()> read);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* field_;
    std::function<TLinkCounts()> read_;
};
