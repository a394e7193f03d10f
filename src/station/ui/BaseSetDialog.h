#pragma once
// The settings dialog: appearance, system and port pages over the settings record.
#include "station/BaseSetValues.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class IMainFace;
class ISoundPlayer;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QTimeEdit;
class TColorSwatch;
struct TEnvironment;

// Edits the settings of env (the window thread's copy); OK saves Config.ini, changes env and applies
// them through face. True on OK. portInUse: the device the station has open (or tries), shown in
// the port list.
bool RunBaseSetDialog(QWidget* parent, TEnvironment& env, IMainFace& face, const QString& portInUse);

class TFrm_BaseSet final : public QDialog {
    Q_OBJECT
public:
    // ports: the ports the system lists; portInUse: the device the station uses (empty: the one
    // the settings name), selected even when not listed. Opens filled from env's settings and
    // state texts; OK writes the settings there.
    TFrm_BaseSet(TEnvironment& env, IMainFace& face, ISoundPlayer& sound, const QStringList& ports,
                 const QString& portInUse = QString(), QWidget* parent = nullptr);

    // What the controls hold now.
    TBaseSetValues Values() const;

private:
    QWidget* CreateFacePage();
    QWidget* CreateSysPage();
    QWidget* CreatePortPage(const QStringList& ports);
    QWidget* CreateSoundRow(const QString& caption, int row);
    void FillControls(const TBaseSetValues& values);
    void Btn_OkClick();

    TEnvironment& env_;
    IMainFace& face_;
    ISoundPlayer& sound_;

    QLineEdit* Edt_Title = nullptr;
    QLineEdit* Edt_ViewRecords = nullptr;
    QLineEdit* Edt_ServerType[3] = {};
    QCheckBox* Chk_AutoRun = nullptr;
    QCheckBox* Chk_TopMost = nullptr;
    QCheckBox* Chk_TrayIcon = nullptr;
    QCheckBox* Chk_PopupWin = nullptr;
    QCheckBox* Chk_KeepOnTime = nullptr;
    QLineEdit* Edt_Wav[2] = {};
    QComboBox* Cbx_PlayMode[2] = {};
    QComboBox* Cbx_Port = nullptr;
    QComboBox* Cbx_Baud = nullptr;
    QComboBox* Cbx_DataBits = nullptr;
    QComboBox* Cbx_StopBits = nullptr;
    QComboBox* Cbx_Parity = nullptr;
    QComboBox* Cbx_Flux = nullptr;
    QString portShown_;
    std::vector<std::pair<TColorSwatch*, TColor TBaseSetValues::*>> swatches_;
    std::vector<std::pair<QTimeEdit*, QTime TBaseSetValues::*>> timePickers_;
};
