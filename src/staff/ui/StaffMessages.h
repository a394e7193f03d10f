#pragma once
// Message boxes of the staff windows, captions from the string table.
#include "staff/StaffEdit.h"

#include <QString>

class QWidget;

// A refused entry: caption 113 with an error icon, or 112 with a warning icon.
void ShowEditProblem(QWidget* parent, const TEditProblem& problem);
// A failure of the data store: caption 113, error icon.
void ShowStoreError(QWidget* parent, const QString& error);
// A question under caption 114 with Yes and No; true on Yes.
bool AskYesNo(QWidget* parent, int textId);
