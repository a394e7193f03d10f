#pragma once
// The staff grid's columns and the checks of the staff dialog.
#include "staff/TextGrid.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

enum TStaffColumn : int { StaffNumber, StaffName, StaffSex, StaffPhone, StaffCancelAddr, StaffRemark, StaffColumnCount };

// The field of a dialog that a failed check puts the focus into.
enum class TEditField { Number, Name, Staff, Area, Position };

// A refused dialog entry: caption 113 (error) or 112 (warning) and the message text.
struct TEditProblem {
    TEditField Field;
    int CaptionId;
    int TextId;
};

QString SexText(bool male);          // 1114 or 1115
bool IsMaleText(const QString& cell);

// The cancel-unit address as typed, read as hexadecimal (surrounding blanks allowed);
// anything that is not a hexadecimal number of at most 32 bits reads as 0.
int32_t CancelAddrOfText(const QString& text);
// The stored address as upper-case hexadecimal without leading zeros.
QString CancelAddrText(qint64 stored);

struct TStaffInput {
    QString Number;
    QString Name;
    bool Male = true;
    QString Phone;
    QString CancelAddr;
    QString Remark;
};

// The dialog's checks in order: number given, name given, number not taken.
// modifiedRow is the staff row being modified, or -1 for an add; a modified row
// keeping its own number is no duplicate.
std::optional<TEditProblem> CheckStaffInput(const TTextGrid& staff, const TStaffInput& input, int modifiedRow);
// The grid row of an accepted entry: number and name trimmed, the rest as typed.
QStringList StaffRow(const TStaffInput& input);
// The dialog's fields for a modify, from the row's cells.
TStaffInput StaffInputOfRow(const QStringList& row);
