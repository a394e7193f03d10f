#pragma once
// Reads a child process's standard output line by line, waiting for a line
// that contains a given text.
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

class ProcessLines {
public:
    explicit ProcessLines(QProcess& p) : p_(p) {}

    // Waits for the next line (after those already matched) that contains text.
    bool WaitFor(const QString& text, int ms, QString* line = nullptr)
    {
        QDeadlineTimer deadline(ms);
        for (;;) {
            while (next_ < lines_.size()) {
                const QString l = lines_[next_++];
                if (l.contains(text)) {
                    if (line)
                        *line = l;
                    return true;
                }
            }
            if (deadline.hasExpired())
                return false;
            if (p_.state() == QProcess::NotRunning && !p_.bytesAvailable())
                return false;
            p_.waitForReadyRead(50);
            Collect();
        }
    }

    // Forgets every line, for a new run of the process.
    void Reset()
    {
        partial_.clear();
        lines_.clear();
        next_ = 0;
    }

    // Collects what has arrived; returns every line seen so far.
    const QStringList& All()
    {
        Collect();
        return lines_;
    }
    int Count(const QString& text)
    {
        Collect();
        int n = 0;
        for (const QString& l : lines_)
            n += l.contains(text) ? 1 : 0;
        return n;
    }

private:
    void Collect()
    {
        partial_ += QString::fromUtf8(p_.readAllStandardOutput());
        int nl;
        while ((nl = partial_.indexOf('\n')) >= 0) {
            lines_ << partial_.left(nl).trimmed();
            partial_.remove(0, nl + 1);
        }
    }

    QProcess& p_;
    QString partial_;
    QStringList lines_;
    qsizetype next_ = 0;
};
