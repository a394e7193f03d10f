#include "station/ApplySettings.h"

#include "station/AutoRun.h"

void ApplySettings(const TConfig& cfg, const QString& dataDir, IMainFace& face)
{
    face.SetCaption(cfg.Title);
    face.RepaintGrids();
    if (cfg.TrayIcon != face.TrayIconShown()) {
        if (cfg.TrayIcon)
            face.CreateTrayIcon();
        else
            face.DestoryTrayIcon();
    }
    SetAutoRun(cfg.AutoRun, AutoRunCommand(dataDir));
    face.ChangePort();
}
