#pragma once
// Streams bytes between files in fixed chunks, so a block of any size needs no more memory.
#include <QString>

class QFileDevice;

// Copies n bytes from the current position of from to the current position of to.
// False with the reason when from ends early or a read or write fails.
bool CopyBytes(QFileDevice& from, QFileDevice& to, qint64 n, QString* why);
