#include "staff/StaffEdit.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"
#include "staff/StaffTexts.h"

QString SexText(bool male)
{
    return LoadResStr(male ? TxtMale : TxtFemale);
}

bool IsMaleText(const QString& cell)
{
    return cell == LoadResStr(TxtMale);
}

int32_t CancelAddrOfText(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return 0;
    quint64 value = 0;
    for (const QChar c : digits) {
        const int d = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (d < 0)
            return 0;
        value = value * 16 + static_cast<quint64>(d);
        if (value > 0xFFFFFFFFull)
            return 0;
    }
    // Kept as the table's 32-bit integer; the hexadecimal text shows the same bits.
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

QString CancelAddrText(qint64 stored)
{
    return QString::number(static_cast<uint32_t>(stored), 16).toUpper();
}

std::optional<TEditProblem> CheckStaffInput(const TTextGrid& staff, const TStaffInput& input, int modifiedRow)
{
    const QString number = input.Number.trimmed();
    if (number.isEmpty())
        return TEditProblem{TEditField::Number, TxtCaptionError, TxtStaffNumberEmpty};
    if (input.Name.trimmed().isEmpty())
        return TEditProblem{TEditField::Name, TxtCaptionError, TxtStaffNameEmpty};

    const bool adding = modifiedRow < 0 || modifiedRow >= staff.DataRowCount();
    if (adding || number != staff.Cell(modifiedRow, StaffNumber)) {
        for (int r = 0; r < staff.DataRowCount(); ++r) {
            if (staff.Cell(r, StaffNumber) == number)
                return TEditProblem{TEditField::Number, TxtCaptionWarning, TxtStaffNumberExists};
        }
    }
    return std::nullopt;
}

QStringList StaffRow(const TStaffInput& input)
{
    QStringList row;
    row << input.Number.trimmed() << input.Name.trimmed() << SexText(input.Male) << input.Phone
        << input.CancelAddr << input.Remark;
    return row;
}

TStaffInput StaffInputOfRow(const QStringList& row)
{
    TStaffInput input;
    input.Number = row.value(StaffNumber);
    input.Name = row.value(StaffName);
    input.Male = IsMaleText(row.value(StaffSex));
    input.Phone = row.value(StaffPhone);
    input.CancelAddr = row.value(StaffCancelAddr);
    input.Remark = row.value(StaffRemark);
    return input;
}
