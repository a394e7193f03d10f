#pragma once
// The station's string table: every user-visible text, by number.
#include <QString>

// The text of that number; the empty text when the table has none.
QString LoadResStr(int id);
