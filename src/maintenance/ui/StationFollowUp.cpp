#include "maintenance/ui/StationFollowUp.h"

#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "maintenance/BackupItems.h"
#include "maintenance/RestoredLogin.h"
#include "operators/LoginMsg.h"
#include "station/ApplySettings.h"
#include "station/Station.h"

#include <QWidget>

TStationFollowUp::TStationFollowUp(TStation& station, IMainFace& face, QWidget* mainWindow, TLoginMsg& login,
                                   std::function<void()> loginChanged)
    : station_(station), face_(face), mainWindow_(mainWindow), login_(login), loginChanged_(std::move(loginChanged))
{
}

TRestoreTarget TStationFollowUp::Target(const QString& dataDir)
{
    TRestoreTarget target;
    target.DataDir = dataDir;
    target.LiveStore = &station_.Store();
    target.BeforeItem = [this](int item) { BeforeItem(item); };
    target.AfterItem = [this](int item, bool restored) { AfterItem(item, restored); };
    return target;
}

void TStationFollowUp::BeforeItem(int item)
{
    if (item == ItemStaff) {
        station_.Store().DQ_Duty.Close();
        station_.Store().DQ_User.Close();
    }
}

void TStationFollowUp::AfterItem(int item, bool restored)
{
    if (item == ItemStaff) {
        QString error;
        if (!station_.ReopenRosterQueries(&error))
            rosterError_ = error;
    }
    if (!restored)
        return;
    switch (item) {
    case ItemOperators:
        if (FollowRestoredOperators(station_.Store(), login_)) {
            loggedOff_ = loggedOff_ || !login_.LoggedIn;
            if (loginChanged_)
                loginChanged_();
        }
        break;
    case ItemSettings: {
        TEnvironment& env = station_.Environment();
        ReadConfig(env.ConfigPath, env.Config, env.StateTexts);
        ApplySettings(env.Config, env.DataDir, face_);
        if (mainWindow_)
            mainWindow_->update();
        break;
    }
    case ItemLayouts:
        station_.RaiseLayoutChange();
        break;
    default:
        break;
    }
}

void TStationFollowUp::Report(QWidget* parent)
{
    if (!rosterError_.isEmpty())
        ShowError(parent, rosterError_);
    if (loggedOff_)
        ShowNotice(parent, LoadResStr(3207));
    rosterError_.clear();
    loggedOff_ = false;
}
