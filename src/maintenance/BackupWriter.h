#pragma once
// Writing a backup file of the chosen items of a data directory.
#include "maintenance/JobProgress.h"

#include <QString>
#include <cstdint>

// Writes target holding the data files of every item in mask, in item order, each
// file as a consistent snapshot (also while a station logs calls into them), as
// the plain file or, with compress, as a zip archive of it. The target is replaced
// only when the whole backup was written: on failure an existing file stays as it
// was and no partial file is left, also when progress is cancelled. False with the reason on failure.
// A missing or empty Config.ini gives no block, and its item no bit in the file's
// mask: the station then runs on defaults, and a restore has nothing to put back.
bool WriteBackup(const QString& dataDir, const QString& target, uint32_t mask, bool compress, QString* why,
                 const TJobProgress& progress = {});
