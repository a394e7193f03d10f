#pragma once
// Entry point of the staff and duty roster window.
class QWidget;
class TDM_Sys;
struct TLayOutTree;

// Edits staff and roster; true when both tables were rewritten (OK).
bool RunUserManage(QWidget* parent, TDM_Sys& store, const TLayOutTree& mainTree);
