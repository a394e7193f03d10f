#pragma once
// File dialog filters as the string table writes them ("声音 (*.wav)|*.wav", description and pattern
// pairs separated by |), in Qt's form ("声音 (*.wav)", entries separated by ;;).
#include <QString>

QString QtFileFilter(const QString& pairs);
