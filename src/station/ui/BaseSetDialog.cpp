#include "station/ui/BaseSetDialog.h"

#include "calls/ui/SoundEffectPlayer.h"
#include "station/ApplySettings.h"
#include "core/Config.h"
#include "core/FileFilter.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "core/ui/CaptionTabs.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "station/ui/ColorSwatch.h"
#include "layout/ui/PointDrawing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QStringList ResItems(int id) { return LoadResStr(id).split(QLatin1Char('\n')); }

QComboBox* CreateList(const QStringList& items, const QString& name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setMinimumWidth(160);
    return list;
}

QLineEdit* CreateEdit(const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QLabel* CentredLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

bool RunBaseSetDialog(QWidget* parent, TEnvironment& env, IMainFace& face, const QString& portInUse)
{
    TSoundEffectPlayer preview;
    TFrm_BaseSet dialog(env, face, preview, AvailablePortItems(), portInUse, parent);
    return dialog.exec() == QDialog::Accepted;
}

TFrm_BaseSet::TFrm_BaseSet(TEnvironment& env, IMainFace& face, ISoundPlayer& sound, const QStringList& ports,
                           const QString& portInUse, QWidget* parent)
    : QDialog(parent), env_(env), face_(face), sound_(sound)
{
    QStringList portItems = ports;
    const int portShown = ShowPortItem(portItems, env_.Config, portInUse);

    SetupStationDialog(this, 1200);
    setMinimumWidth(500);

    auto* pages = new TCaptionTabWidget(this);
    pages->addTab(CreateFacePage(), LoadResStr(1202));
    pages->addTab(CreateSysPage(), LoadResStr(1201));
    pages->addTab(CreatePortPage(portItems), LoadResStr(1204));

    const TOkCancelRow buttons = OkCancelButtons(this);
    connect(buttons.Ok, &QPushButton::clicked, this, &TFrm_BaseSet::Btn_OkClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons.Box);

    FillControls(BaseSetValuesFromConfig(env_.Config));
    Cbx_Port->setCurrentIndex(portShown);
    portShown_ = Cbx_Port->currentText();
}

QWidget* TFrm_BaseSet::CreateFacePage()
{
    const TStateTexts& StateTexts = env_.StateTexts;
    auto* page = new QWidget;
    Edt_Title = CreateEdit(QStringLiteral("Edt_Title"), page);
    Edt_ViewRecords = CreateEdit(QStringLiteral("Edt_ViewRecords"), page);
    Edt_ViewRecords->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), Edt_ViewRecords));
    Edt_ViewRecords->setFixedWidth(Edt_ViewRecords->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(LoadResStr(1258), page));
    top->addWidget(Edt_Title, 1);
    top->addSpacing(12);
    top->addWidget(new QLabel(LoadResStr(1259), page));
    top->addWidget(Edt_ViewRecords);

    auto* scheme = new QGroupBox(LoadResStr(1260), page);
    scheme->setAlignment(Qt::AlignHCenter);
    auto* grid = new QGridLayout(scheme);
    for (int column = 0; column < 4; ++column)
        grid->addWidget(CentredLabel(LoadResStr(1261 + column), scheme), 0, column);

    struct SchemeRow {
        QString caption;
        const char* name;
        TColor TBaseSetValues::*background;
        TColor TBaseSetValues::*text;
        QTime TBaseSetValues::*threshold;  // null: the state has no time
    };
    const SchemeRow rows[] = {
        {StateTexts.PreWarn1SvrText, "PreWarn1", &TBaseSetValues::PreWarn1BkColor, &TBaseSetValues::PreWarn1TxtColor,
         &TBaseSetValues::PreWarn1Time},
        {StateTexts.PreWarn2SvrText, "PreWarn2", &TBaseSetValues::PreWarn2BkColor, &TBaseSetValues::PreWarn2TxtColor,
         &TBaseSetValues::PreWarn2Time},
        {StateTexts.PreWarn3SvrText, "PreWarn3", &TBaseSetValues::PreWarn3BkColor, &TBaseSetValues::PreWarn3TxtColor,
         &TBaseSetValues::PreWarn3Time},
        {StateTexts.NormalSvrText, "Normal", &TBaseSetValues::NormalBkColor, &TBaseSetValues::NormalTxtColor, nullptr},
        {StateTexts.SuccessSvrText, "Success", &TBaseSetValues::SuccessBkColor, &TBaseSetValues::SuccessTxtColor,
         nullptr},
    };
    int gridRow = 1;
    for (const SchemeRow& row : rows) {
        const QString name = QLatin1String(row.name);
        grid->addWidget(new QLabel(row.caption, scheme), gridRow, 0);
        auto* background = new TColorSwatch(scheme);
        background->setObjectName(QStringLiteral("Btn_") + name + QStringLiteral("BkColor"));
        auto* text = new TColorSwatch(scheme);
        text->setObjectName(QStringLiteral("Btn_") + name + QStringLiteral("TxtColor"));
        grid->addWidget(background, gridRow, 1);
        grid->addWidget(text, gridRow, 2);
        swatches_.emplace_back(background, row.background);
        swatches_.emplace_back(text, row.text);
        if (row.threshold) {
            auto* picker = new QTimeEdit(scheme);
            picker->setObjectName(QStringLiteral("Dtp_") + name + QStringLiteral("Time"));
            picker->setDisplayFormat(QStringLiteral("H:mm:ss"));
            grid->addWidget(picker, gridRow, 3);
            timePickers_.emplace_back(picker, row.threshold);
        }
        ++gridRow;
    }

    auto* keys = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        Edt_ServerType[i] = CreateEdit(QStringLiteral("Edt_ServerType%1").arg(i + 1), page);
        keys->addRow(LoadResStr(1273 + i), Edt_ServerType[i]);
    }

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(scheme);
    layout->addLayout(keys);
    layout->addStretch();
    return page;
}

QWidget* TFrm_BaseSet::CreateSysPage()
{
    const TStateTexts& StateTexts = env_.StateTexts;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto addCheck = [&](int textId, const char* name) {
        auto* box = new QCheckBox(LoadResStr(textId), page);
        box->setObjectName(QLatin1String(name));
        // Only the caption and its mark take a click, not the empty line beside them.
        box->setFixedWidth(std::max(box->fontMetrics().horizontalAdvance(box->text()) + 20, box->sizeHint().width()));
        layout->addWidget(box);
        return box;
    };
    Chk_AutoRun = addCheck(1270, "Chk_AutoRun");
    Chk_TopMost = addCheck(1271, "Chk_TopMost");
    Chk_TrayIcon = addCheck(1272, "Chk_TrayIcon");
    Chk_PopupWin = addCheck(1281, "Chk_PopupWin");
    Chk_KeepOnTime = addCheck(1282, "Chk_ServiceTimeOutKeepOnTime");
    layout->addSpacing(12);
    layout->addWidget(CreateSoundRow(StateTexts.PreWarn1SvrText + LoadResStr(1276), 0));
    layout->addWidget(CreateSoundRow(StateTexts.PreWarn2SvrText + LoadResStr(1276), 1));
    layout->addStretch();
    return page;
}

QWidget* TFrm_BaseSet::CreateSoundRow(const QString& caption, int row)
{
    auto* box = new QWidget;
    const QString number = QString::number(row + 1);
    Edt_Wav[row] = CreateEdit(QStringLiteral("Edt_PreWarnWav") + number, box);
    Cbx_PlayMode[row] = CreateList(ResItems(1279), QStringLiteral("Cbx_PreWarnWavePlayMode") + number, box);
    Cbx_PlayMode[row]->setMinimumWidth(0);

    auto* browse = new QToolButton(box);
    browse->setObjectName(QStringLiteral("Btn_BrowseWav") + number);
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browse->setToolTip(LoadResStr(1277));
    auto* preview = new QToolButton(box);
    preview->setObjectName(QStringLiteral("Btn_PreviewWav") + number);
    preview->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    preview->setToolTip(LoadResStr(1278));

    QLineEdit* edit = Edt_Wav[row];
    connect(browse, &QToolButton::clicked, this, [this, edit] {
        const QString file = QFileDialog::getOpenFileName(this, LoadResStr(1277), edit->text().trimmed(),
                                                          QtFileFilter(LoadResStr(1280)));
        if (!file.isEmpty())
            edit->setText(QDir::toNativeSeparators(file));
    });
    connect(preview, &QToolButton::clicked, this, [this, edit] { sound_.PlayOnce(edit->text().trimmed()); });

    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(caption, box));
    layout->addWidget(Edt_Wav[row], 1);
    layout->addWidget(browse);
    layout->addWidget(preview);
    layout->addWidget(Cbx_PlayMode[row]);
    return box;
}

QWidget* TFrm_BaseSet::CreatePortPage(const QStringList& ports)
{
    auto* page = new QWidget;
    Cbx_Port = CreateList(ports, QStringLiteral("Cbx_Port"), page);
    // A device the system does not list (a /dev/serial/by-id link, a port plugged in later) is typed.
    Cbx_Port->setEditable(true);
    Cbx_Port->setInsertPolicy(QComboBox::NoInsert);
    Cbx_Baud = CreateList({QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                           QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                           QStringLiteral("57600"), QStringLiteral("115200")},
                          QStringLiteral("Cbx_Baud"), page);
    Cbx_DataBits = CreateList({QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")},
                              QStringLiteral("Cbx_DataBits"), page);
    Cbx_StopBits = CreateList({QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")},
                              QStringLiteral("Cbx_StopBits"), page);
    Cbx_Parity = CreateList(ResItems(1256), QStringLiteral("Cbx_Parity"), page);
    Cbx_Flux = CreateList(ResItems(1257), QStringLiteral("Cbx_Flux"), page);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(LoadResStr(1250), Cbx_Port);
    form->addRow(LoadResStr(1251), Cbx_Baud);
    form->addRow(LoadResStr(1252), Cbx_DataBits);
    form->addRow(LoadResStr(1253), Cbx_StopBits);
    form->addRow(LoadResStr(1254), Cbx_Parity);
    form->addRow(LoadResStr(1255), Cbx_Flux);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addStretch();
    return page;
}

void TFrm_BaseSet::FillControls(const TBaseSetValues& v)
{
    Edt_Title->setText(v.Title);
    Edt_ViewRecords->setText(v.ViewRecordsText);
    for (const auto& [swatch, field] : swatches_)
        swatch->SetColor(v.*field);
    for (const auto& [picker, field] : timePickers_)
        picker->setTime(v.*field);
    Edt_ServerType[0]->setText(v.ServerType1);
    Edt_ServerType[1]->setText(v.ServerType2);
    Edt_ServerType[2]->setText(v.ServerType3);

    Chk_AutoRun->setChecked(v.AutoRun);
    Chk_TopMost->setChecked(v.TopMost);
    Chk_TrayIcon->setChecked(v.TrayIcon);
    Chk_PopupWin->setChecked(v.PopupWin);
    Chk_KeepOnTime->setChecked(v.ServiceTimeOutKeepOnTime);
    Edt_Wav[0]->setText(v.PreWarnWav1);
    Edt_Wav[1]->setText(v.PreWarnWav2);
    Cbx_PlayMode[0]->setCurrentIndex(v.PreWarnWavePlayMode1);
    Cbx_PlayMode[1]->setCurrentIndex(v.PreWarnWavePlayMode2);

    // An index or value not in a list shows as no selection.
    auto select = [](QComboBox* list, int index) { list->setCurrentIndex(index < list->count() ? index : -1); };
    select(Cbx_Baud, Cbx_Baud->findText(v.BaudText));
    select(Cbx_DataBits, Cbx_DataBits->findText(v.DataBitsText));
    select(Cbx_StopBits, v.StopBits);
    select(Cbx_Parity, v.Parity);
    select(Cbx_Flux, v.Flux);
}

TBaseSetValues TFrm_BaseSet::Values() const
{
    TBaseSetValues v;
    v.Title = Edt_Title->text();
    v.ViewRecordsText = Edt_ViewRecords->text();
    for (const auto& [swatch, field] : swatches_)
        v.*field = swatch->Color();
    for (const auto& [picker, field] : timePickers_)
        v.*field = picker->time();
    v.ServerType1 = Edt_ServerType[0]->text();
    v.ServerType2 = Edt_ServerType[1]->text();
    v.ServerType3 = Edt_ServerType[2]->text();

    v.AutoRun = Chk_AutoRun->isChecked();
    v.TopMost = Chk_TopMost->isChecked();
    v.TrayIcon = Chk_TrayIcon->isChecked();
    v.PopupWin = Chk_PopupWin->isChecked();
    v.ServiceTimeOutKeepOnTime = Chk_KeepOnTime->isChecked();
    v.PreWarnWav1 = Edt_Wav[0]->text();
    v.PreWarnWav2 = Edt_Wav[1]->text();
    v.PreWarnWavePlayMode1 = Cbx_PlayMode[0]->currentIndex();
    v.PreWarnWavePlayMode2 = Cbx_PlayMode[1]->currentIndex();

    v.PortText = Cbx_Port->currentText();
    v.PortShown = portShown_;
    v.BaudText = Cbx_Baud->currentText();
    v.DataBitsText = Cbx_DataBits->currentText();
    v.StopBits = Cbx_StopBits->currentIndex();
    v.Parity = Cbx_Parity->currentIndex();
    v.Flux = Cbx_Flux->currentIndex();
    return v;
}

void TFrm_BaseSet::Btn_OkClick()
{
    const TConfig cfg = ConfigFromDialogValues(Values(), env_.Config);
    QString error;
    if (!SaveConfig(env_.ConfigPath, cfg, &error)) {
        ShowError(this, error);
        return;
    }
    env_.Config = cfg;
    ApplySettings(env_.Config, env_.DataDir, face_);
    accept();
}
