#pragma once
// The table files as single SQLite files, apart from the station's connection:
// a consistent copy of a live one, and the check of one about to replace it.
#include <QString>

// Copies the SQLite file at source into copy (which must not exist) as one
// snapshot: writes committed by anyone while it runs are either all in the
// copy or not at all. False with the reason when source cannot be read.
bool CopyTableFile(const QString& source, const QString& copy, QString* why);

// True when the file at path is a sound SQLite file holding table with the
// station's columns for it; otherwise false with the reason.
bool CheckTableFile(const QString& path, const QString& table, QString* why);
