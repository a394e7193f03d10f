#pragma once
// The mode, owner and group a file restored into the data directory takes on,
// so that a station running as a service user still opens what a restore run
// by another user (cron as root) put in place.
#include <QString>

// The file whose attributes a restored dataDir/fileName takes on: the file it replaces,
// else a table file of the directory, else the directory itself.
QString AttributesModel(const QString& dataDir, const QString& fileName);

// Gives path the permissions, owner and group of model (of a directory model: its
// permissions without the execute bits). False with the reason.
bool TakeAttributes(const QString& model, const QString& path, QString* why);
