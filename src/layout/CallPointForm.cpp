#include "layout/CallPointForm.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"
#include "layout/LayoutEditModel.h"
#include "layout/LayoutTexts.h"

#include <algorithm>

namespace {

constexpr int MaxAddressDigits = 4;

TFormRefusal NotAnInteger(const QString& text)
{
    return {TxtCaptionWarning, LoadResStr(TxtLayoutNotAnInteger).arg(text)};
}

bool AllDigits(const QString& text, int base)
{
    return std::all_of(text.begin(), text.end(), [base](QChar c) {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9') || (base == 16 && ((u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')));
    });
}

} // namespace

TLayOutPoint NewCallPoint()
{
    TLayOutPoint p;
    p.Address = 0;
    p.Shape = 1;
    p.BkColor = SkyBlue;
    p.TxtColor = 0;
    p.XPos = 3;
    p.YPos = 3;
    p.Width = 80;
    p.Height = 80;
    p.TxtPos = 0;
    p.DrawnKey = 0;
    return p;
}

TCallPointForm FormOfPoint(const TLayOutPoint& point)
{
    TCallPointForm form;
    form.Name = point.Name;
    form.Address = QString::number(point.Address, 16).toUpper();
    form.Shape = point.Shape == 0 ? 0 : 1;
    form.Width = QString::number(point.Width);
    form.Height = QString::number(point.Height);
    form.TxtPos = std::min<int>(point.TxtPos, 2);
    return form;
}

std::optional<uint16_t> ParsePointAddress(const QString& text)
{
    if (text.isEmpty() || text.size() > MaxAddressDigits || !AllDigits(text, 16))
        return std::nullopt;
    return static_cast<uint16_t>(text.toUInt(nullptr, 16));
}

std::optional<uint16_t> ParsePointSize(const QString& text)
{
    if (text.isEmpty() || !AllDigits(text, 10))
        return std::nullopt;
    // A run of digits too long for any integer is still just "too large".
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    return ok && value < MaxPointSize ? static_cast<uint16_t>(value) : MaxPointSize;
}

std::optional<TFormRefusal> ApplyCallPointForm(const TCallPointForm& form, bool addMode,
                                               const TLayOutEditModel& model, TLayOutPoint& record)
{
    const std::optional<uint16_t> address = ParsePointAddress(form.Address);
    if (!address)
        return NotAnInteger(form.Address);
    if ((addMode || *address != record.Address) && model.AddressInUse(*address))
        return TFormRefusal{TxtCaptionWarning, LoadResStr(TxtLayoutAddressTaken)};
    const std::optional<uint16_t> width = ParsePointSize(form.Width);
    if (!width)
        return NotAnInteger(form.Width);
    const std::optional<uint16_t> height = ParsePointSize(form.Height);
    if (!height)
        return NotAnInteger(form.Height);

    record.Name = form.Name.trimmed();
    record.Address = *address;
    record.Shape = static_cast<uint8_t>(std::max(form.Shape, 0));
    record.TxtPos = static_cast<uint8_t>(std::max(form.TxtPos, 0));
    record.Width = *width;
    record.Height = *height;
    return std::nullopt;
}
