#pragma once
// How the operator windows tell the user something: through a sink, so that a
// window can be driven without a message box waiting for a click.
#include "operators/OperatorStore.h"

#include <QString>

class QWidget;

// Warning (caption 112), error (113), confirmation with Yes and No (114), notice (115).
enum class TMessageKind { Warning, Error, Confirm, Notice };

class TMessageSink {
public:
    virtual ~TMessageSink() = default;
    // Returns true when a confirmation is answered Yes; any other message returns true.
    virtual bool Show(QWidget* parent, TMessageKind kind, const QString& text) = 0;
};

// The sink of the running station: a modal message box.
TMessageSink& MessageBoxSink();

// Reports a refused or failed operator action: its text under the caption of its kind,
// or the store's error.
void ReportOperatorCheck(TMessageSink& sink, QWidget* parent, TOperatorCheck check,
                         const TOperatorStore& operators);
