#pragma once
// Applying saved settings that cannot wait for their next use.
#include "core/Config.h"

#include <QString>

// What ApplySettings changes on the station's face; the main window implements it.
class IMainFace {
public:
    virtual ~IMainFace() = default;
    virtual void SetCaption(const QString& title) = 0;  // window caption and application title
    virtual void RepaintGrids() = 0;
    virtual bool TrayIconShown() const = 0;
    virtual void CreateTrayIcon() = 0;
    virtual void DestoryTrayIcon() = 0;
    virtual void ChangePort() = 0;                       // reopens when the port differs
};

// Caption and title, grid repaint, tray icon on/off, auto-run entry (starting on dataDir), port change.
void ApplySettings(const TConfig& cfg, const QString& dataDir, IMainFace& face);
