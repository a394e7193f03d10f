#pragma once
// How a long piece of maintenance work (a backup, the staging of a restore, a
// cleanup) tells how far it is and learns that it is to stop. A window watches
// it from another thread; the command line runs the same work unwatched.
#include "core/CancelFlag.h"

#include <QtGlobal>
#include <algorithm>
#include <functional>

class TJobProgress {
public:
    using Report = std::function<void(int percent)>;

    // Unwatched: never cancelled, reports nowhere.
    TJobProgress() = default;
    TJobProgress(TCancelFlag cancel, Report report) : cancel_(std::move(cancel)), report_(std::move(report)) {}

    bool Cancelled() const { return cancel_ && *cancel_; }
    // done of total units of work, passed on in hundredths when that figure moves (a
    // finer one would only repaint the progress bar more often on the window thread).
    void Reached(qint64 done, qint64 total) const
    {
        if (!report_ || total <= 0)
            return;
        const int percent = static_cast<int>(std::clamp<qint64>(done * 100 / total, 0, 100));
        if (percent != last_) {
            last_ = percent;
            report_(percent);
        }
    }

private:
    TCancelFlag cancel_;
    Report report_;
    mutable int last_ = -1;
};
