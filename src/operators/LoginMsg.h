#pragma once
// The logged-in operator and his permission bits: state of the windowed station, kept by
// the main window and handed to the dialogs that log in, check or change him.
#include <QDateTime>
#include <QString>
#include <cstdint>

struct TLoginMsg {
    bool LoggedIn = false;
    qint64 RowId = -1;   // the operator's row: names may be renamed or differ only in blanks
    QString Name;
    QDateTime LoginTime;
    int32_t Popedom = 0;
};

// Permission bits of Popedom, in the order of the permission editor.
enum TPopedomBit : int {
    PopOperators = 0,
    PopBaseSet = 1,
    PopLayout = 2,
    PopStaff = 3,
    PopHistory = 4,
    PopStatistics = 5,
    PopMaintenance = 6,
    PopLed = 7,
    PopCopyData = 8,
    PopBind = 9,
    PopedomBitCount = 10
};
constexpr int32_t PopedomAll = (1 << PopedomBitCount) - 1;

inline bool HasPopedom(int32_t popedom, TPopedomBit bit) { return (popedom >> bit) & 1; }
