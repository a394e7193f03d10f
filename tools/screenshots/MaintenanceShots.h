#pragma once
#include <QString>

class QWidget;
class TDM_Sys;
struct TEnvironment;

// Saves backup-dialog.png, restore-dialog.png and cleanup-dialog.png into out.
bool SaveMaintenanceDialogs(const QString& out, QWidget* mainWindow, TDM_Sys& store, const TEnvironment& env);
