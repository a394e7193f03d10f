#include "app/QtMessages.h"

#include <QMutex>
#include <QString>
#include <vector>

namespace {

enum class TMode { Hold, Show, Drop };

struct THeld {
    QtMsgType Type;
    QString Text;
};

QMutex Lock;
TMode Mode = TMode::Hold;
std::vector<THeld> Held;
QtMessageHandler QtsOwn = nullptr;

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {   // about to abort: always said
        QtsOwn(type, context, text);
        return;
    }
    QMutexLocker locker(&Lock);
    if (Mode == TMode::Hold)
        Held.push_back({type, text});
    else if (Mode == TMode::Show)
        QtsOwn(type, context, text);
}

}  // namespace

void HoldQtMessages()
{
    QtsOwn = qInstallMessageHandler(Handle);
}

void ShowQtMessages(bool show)
{
    QMutexLocker locker(&Lock);
    Mode = show ? TMode::Show : TMode::Drop;
    if (show)
        for (const THeld& m : Held)
            QtsOwn(m.Type, QMessageLogContext(), m.Text);
    Held.clear();
}
