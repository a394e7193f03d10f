#pragma once
// Typed cells shared by the history list, the statistics grid and their
// exports: one value per cell in a canonical form, shown as text on screen and
// in CSV files, and written as a typed cell to spreadsheets.
#include <QString>
#include <QVariant>

enum class TCellKind {
    Text,      // QString
    Integer,   // qint64
    Rate,      // qint64 hundredths of a percent: 9963 is 99.63
    Date,      // QDate
    Time,      // QTime, a time of day
    Duration,  // qint64 seconds, shown as hours:minutes:seconds
};

// A value that does not fit its kind (a stored date that is no date) stays the
// stored text and is shown and exported as that text; a null value is an empty cell.
QString CellText(TCellKind kind, const QVariant& value, const QString& dateFormat);

// "%.02d:%.02d:%.02d" of hours, minutes and seconds: 3725 gives 01:02:05, 100 hours 100:00:00.
QString DurationText(qint64 seconds);
// Hundredths as "%.2f" would write the rate: 9963 gives 99.63.
QString RateText(qint64 hundredths);
// (calls - timeOuts) / calls as a percentage in hundredths, halves rounded away from zero.
qint64 PassRate(qint64 calls, qint64 timeOuts);

// The canonical values of stored columns: a date yyyy-MM-dd, a time HH:mm:ss.
QVariant DateCell(const QVariant& stored);
QVariant TimeCell(const QVariant& stored);
