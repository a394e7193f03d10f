#include "SlaveLink.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace sim {

SlaveLink::SlaveLink(QString linkPath, QString target) : linkPath_(std::move(linkPath)), target_(std::move(target))
{
    const QFileInfo existing(linkPath_);
    if (existing.isSymLink())
        QFile::remove(linkPath_);
    else if (existing.exists())
        throw std::runtime_error(QStringLiteral("%1 exists and is not a link").arg(linkPath_).toStdString());
    if (!QFile::link(target_, linkPath_))
        throw std::runtime_error(QStringLiteral("cannot create link %1").arg(linkPath_).toStdString());
}

SlaveLink::~SlaveLink()
{
    // Leave it alone if another simulator has taken the name over meanwhile.
    if (QFileInfo(linkPath_).symLinkTarget() == target_)
        QFile::remove(linkPath_);
}

} // namespace sim
