#pragma once
// A new installation has no operator, and nobody could log in to create one.
#include <QString>

class TDM_Sys;

// The operator a new installation starts with: every permission and the empty password.
inline const QString FirstOperatorName = QStringLiteral("admin");

// When the operator table is empty, adds the first operator. False (with the store's
// error) only when the table could not be read or written.
bool EnsureFirstOperator(TDM_Sys& store, QString* error = nullptr);
