#pragma once
// The compiled-in string table behind LoadResStr, sorted by id.

int ResStringCount();
int ResStringIdAt(int i);              // 0 <= i < ResStringCount()
const char* FindResString(int id);     // UTF-8 text, or nullptr when the table has none
