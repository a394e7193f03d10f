#pragma once
// Entry point of the layout editor.
class QWidget;
class TDM_Sys;
struct TConfig;

// Edits the layouts and call points (drawn in the colours of cfg); true when the changes were saved.
bool RunLayoutEditor(QWidget* parent, TDM_Sys& store, const TConfig& cfg);
