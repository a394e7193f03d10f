#pragma once
// Answers the station's message boxes while it lives: each message is recorded
// instead of shown, and a question gets `answer`.
#include "core/ResStrings.h"
#include "core/ui/Messages.h"

#include <vector>

class RecordedMessages final : public TMessageSink {
public:
    RecordedMessages() : previous_(SetMessageSink(this)) {}
    ~RecordedMessages() override { SetMessageSink(previous_); }
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    QMessageBox::StandardButton Show(QWidget*, const TMessage& message) override
    {
        shown.push_back(message);
        return message.Kind == TMessageKind::Confirm ? answer : QMessageBox::Ok;
    }

    struct Entry {
        TMessageKind kind;
        QString text;
        bool operator==(const Entry&) const = default;
    };
    // What was shown, oldest first.
    std::vector<Entry> Entries() const
    {
        std::vector<Entry> entries;
        for (const TMessage& m : shown)
            entries.push_back({m.Kind, m.Text});
        return entries;
    }

    std::vector<TMessage> shown;
    QMessageBox::StandardButton answer = QMessageBox::Yes;

private:
    TMessageSink* previous_;
};
