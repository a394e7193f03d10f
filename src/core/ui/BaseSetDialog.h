#pragma once
// Entry point of the settings dialog.
class QWidget;
class IMainFace;

// Edits the settings; OK saves Config.ini and applies them through face. True on OK.
bool RunBaseSetDialog(QWidget* parent, IMainFace& face);
