#pragma once
// The history list's ten columns: the call log field, title, width, alignment,
// and how a stored value becomes the cell shown and exported.
#include "reports/Cells.h"

#include <QString>
#include <QVariant>
#include <array>
#include <vector>

struct TStateTexts;

struct THistoryColumn {
    const char* Field;   // column of CallInfo
    int TitleId;         // string table
    int Width;           // pixels
    bool RightAligned;   // numbers are right-aligned, everything else left
    TCellKind Kind;
};

constexpr int HistoryColumnCount = 10;
const std::array<THistoryColumn, HistoryColumnCount>& HistoryColumns();

// "CallDate, CallTime, ...": the fields in column order, for a select list.
QString HistoryFieldList();
// The ten titles from the string table.
QStringList HistoryTitles();

// One stored row (the fields in column order) as cells: dates and times typed,
// a state as its text (0 the answered text, anything else the time-out text),
// a null field null.
std::vector<QVariant> HistoryCells(const std::vector<QVariant>& stored, const TStateTexts& texts);
