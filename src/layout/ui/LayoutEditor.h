#pragma once
// Entry point of the layout editor.
class QWidget;
class TDM_Sys;

// Edits the layouts and call points; true when the changes were saved.
bool RunLayoutEditor(QWidget* parent, TDM_Sys& store);
