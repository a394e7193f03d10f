#pragma once
// What the running station brings up to date around each item a restore replaces,
// so that nothing it keeps in memory is older than the restored files (an editor
// saving from an old copy would otherwise write it back over them).
#include "maintenance/Restore.h"

#include <QString>
#include <functional>

class IMainFace;
class QWidget;
class TStation;
struct TLoginMsg;

class TStationFollowUp {
public:
    // login: the main window's login record, checked against restored operators; loginChanged:
    // it changed (the face buttons follow it).
    TStationFollowUp(TStation& station, IMainFace& face, QWidget* mainWindow, TLoginMsg& login,
                     std::function<void()> loginChanged);

    // A restore into dataDir with the station's connection and this follow-up's steps.
    TRestoreTarget Target(const QString& dataDir);

    // Staff: the roster queries are closed for the swap.
    void BeforeItem(int item);
    // Operators: the login follows the restored row. Settings: read, applied, repainted.
    // Layouts: the tree is rebuilt and the live calls relinked. Staff: the roster
    // queries are reopened, also after a failure.
    void AfterItem(int item, bool restored);
    // Tells the operator when the restore logged him off or the roster could not be read again.
    void Report(QWidget* parent);

private:
    TStation& station_;
    IMainFace& face_;
    QWidget* mainWindow_;
    TLoginMsg& login_;
    std::function<void()> loginChanged_;
    bool loggedOff_ = false;
    QString rosterError_;
};
