#pragma once
// How the window shows a device's configuration image: fourteen parameter
// controls over bytes 0-13, and a memory map of every byte in rows of 16.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

enum class TParamKind {
    Number,      // a number field limited to Min..Max
    KeyChoice,   // text 2031: "单键" is byte 1, "四键" byte 4
    IndexChoice  // the choice's index is the byte
};

struct TMemoryParam {
    int Offset;
    int LabelId;
    TParamKind Kind;
    int Min = 0;
    int Max = 255;
    int ChoicesId = 0;  // choices, one per line, for the two choice kinds
};

constexpr int MemoryParamCount = 14;
extern const std::array<TMemoryParam, MemoryParamCount> MemoryParams;

// What the control shows for a byte: a number limited to the range, or a choice index (-1: no choice).
int ParamControlValue(const TMemoryParam& param, uint8_t byte);
// The byte a control's value stands for.
uint8_t ParamByte(const TMemoryParam& param, int controlValue);

// The memory map: column 0 the row labels, columns 1-16 the bytes.
constexpr int MemoryMapColumns = 17;
int MemoryMapRows(int imageSize);            // N div 16 + 1 data rows
QString MemoryMapHeader(int column);         // "___0".."___F" for columns 1-16
QString MemoryMapRowLabel(int row);          // "000_" for row 0
// Two hexadecimal digits for a byte of the image, empty past its end.
QString MemoryMapCell(const QByteArray& image, int row, int column);
// Where a byte stands: row (from 0) and column (1-16).
inline int MemoryMapRowOf(int offset) { return offset / 16; }
inline int MemoryMapColumnOf(int offset) { return offset % 16 + 1; }

// The size line, text 2001, for an image of n bytes.
QString MemorySizeText(int n);
