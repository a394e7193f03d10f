#include "maintenance/CopyBytes.h"

#include "core/Failure.h"
#include "core/ResStrings.h"
#include "maintenance/MaintenanceTexts.h"

#include <QDir>
#include <QFileDevice>
#include <algorithm>

bool CopyBytes(QFileDevice& from, QFileDevice& to, qint64 n, QString* why)
{
    char chunk[64 * 1024];
    while (n > 0) {
        const qint64 got = from.read(chunk, std::min<qint64>(n, sizeof chunk));
        if (got <= 0) {
            const QString reason = got < 0 ? from.errorString() : QStringLiteral("the file ends early");
            return Fail(why, LoadResStr(TxtMaintenanceCannotRead).arg(QDir::toNativeSeparators(from.fileName()), reason));
        }
        if (to.write(chunk, got) != got)
            return Fail(why, LoadResStr(TxtMaintenanceCannotWrite).arg(QDir::toNativeSeparators(to.fileName()), to.errorString()));
        n -= got;
    }
    return true;
}
