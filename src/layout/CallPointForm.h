#pragma once
// The call-point dialog's fields as typed, and the checks that turn them into a point.
#include "layout/LayoutModel.h"

#include <optional>

class TLayOutEditModel;

// Texts and choices of the call-point dialog.
struct TCallPointForm {
    QString Name;
    QString Address;    // hexadecimal
    int Shape = 1;      // item of text 1019
    QString Width;      // decimal
    QString Height;     // decimal
    int TxtPos = 0;     // item of text 1020
};

// A refused entry: the message box caption (a string-table number) and text.
struct TFormRefusal {
    int Caption;
    QString Text;
};

// The point a new call point starts from: a square 80 x 80 at (3, 3), name centred.
TLayOutPoint NewCallPoint();
// The fields showing a point: upper-case hexadecimal address, decimal sizes, the
// choice each shape and text position draws as.
TCallPointForm FormOfPoint(const TLayOutPoint& point);

// 1 to 4 hexadecimal digits, either case.
std::optional<uint16_t> ParsePointAddress(const QString& text);
// Decimal digits; anything above 400 becomes 400.
std::optional<uint16_t> ParsePointSize(const QString& text);

// Checks the fields and, when they are accepted, writes them into `record`
// (position and colours stay). A new address must not be used by any point of
// the editor's tree; in modify mode the record's own address may be kept.
std::optional<TFormRefusal> ApplyCallPointForm(const TCallPointForm& form, bool addMode,
                                               const TLayOutEditModel& model, TLayOutPoint& record);
