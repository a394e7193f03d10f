#pragma once
// How a long piece of maintenance work (a backup, the staging of a restore, a
// cleanup) tells how far it is and learns that it is to stop. A window watches
// it from another thread; the command line runs the same work unwatched.
#include "reports/CancelFlag.h"

#include <QtGlobal>
#include <algorithm>
#include <functional>

class TJobProgress {
public:
    using Report = std::function<void(int permille)>;

    // Unwatched: never cancelled, reports nowhere.
    TJobProgress() = default;
    TJobProgress(TCancelFlag cancel, Report report) : cancel_(std::move(cancel)), report_(std::move(report)) {}

    bool Cancelled() const { return cancel_ && *cancel_; }
    // done of total units of work, passed on in thousandths when that figure moves.
    void Reached(qint64 done, qint64 total) const
    {
        if (!report_ || total <= 0)
            return;
        const int permille = static_cast<int>(std::clamp<qint64>(done * 1000 / total, 0, 1000));
        if (permille != last_) {
            last_ = permille;
            report_(permille);
        }
    }

private:
    TCancelFlag cancel_;
    Report report_;
    mutable int last_ = -1;
};
