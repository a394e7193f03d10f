#include "devices/ui/LedSet.h"

#include "comm/DeviceReplies.h"
#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "devices/DeviceFrames.h"
#include "devices/ui/DeviceFields.h"
#include "devices/ui/LedEdit.h"
#include "devices/ui/LedListView.h"
#include "devices/ui/ProgressPanel.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QVBoxLayout>

void RunLedSet(QWidget* parent, ISerialLine& line, TDeviceReplies& replies, const IClock& clock,
               const QString& configPath)
{
    TFrm_LedSet window(line, replies, clock, configPath, parent);
    window.LoadList();
    window.exec();
}

TFrm_LedSet::TFrm_LedSet(ISerialLine& line, TDeviceReplies& replies, const IClock& clock, const QString& configPath,
                         QWidget* parent)
    : QDialog(parent), line_(line), replies_(replies), clock_(clock), configPath_(configPath), upload_(line, clock)
{
    SetupStationDialog(this, 1900);
    resize(760, 440);

    Edt_Address = NumberField("Edt_Address", 1, 99, 1, this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(LoadResStr(1925), this));
    top->addWidget(Edt_Address);
    top->addStretch(1);

    SGrd_LedList = new TLedListView(this);
    SGrd_LedList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SGrd_LedList, &TLedListView::Exchange, this, &TFrm_LedSet::ExchangeMessages);
    connect(SGrd_LedList, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (!Uploading())
            EditMessage(row);
    });
    CreateMenu();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(SGrd_LedList, 1);

    Pnl_Progress = new TProgressPanel(upload_, this);
    upload_.OnEnded = [this](TTransferEnd how) { UploadEnded(how); };
    replies_.RegisterLed([this] { return Uploading(); }, [this](const uint8_t*, int) { upload_.OnAck(); });
    ShowList();
}

TFrm_LedSet::~TFrm_LedSet() { replies_.UnregisterLed(); }

void TFrm_LedSet::CreateMenu()
{
    Pmnu_LedList = new QMenu(this);
    const auto item = [this](int textId, auto handler) {
        return Pmnu_LedList->addAction(LoadResStr(textId), this, handler);
    };
    Mnu_Add = item(1908, [this] { EditMessage(-1); });
    Mnu_Modify = item(1909, [this] { EditMessage(SGrd_LedList->currentRow()); });
    Mnu_Delete = item(1910, [this] { DeleteMessage(); });
    Mnu_Empty = item(1911, [this] { EmptyList(); });
    Pmnu_LedList->addSeparator();
    Mnu_Import = item(1912, [this] {
        if (const QString path = AskFile(this, false); !path.isEmpty())
            ImportFrom(path);
    });
    Mnu_Export = item(1913, [this] {
        if (const QString path = AskFile(this, true); !path.isEmpty())
            ExportTo(path);
    });
    Pmnu_LedList->addSeparator();
    Mnu_Upload = item(1914, [this] { Upload(); });
    Mnu_SetClock = item(1926, [this] { SetDeviceClock(); });
    connect(SGrd_LedList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (UpdateMenu())
            Pmnu_LedList->popup(SGrd_LedList->viewport()->mapToGlobal(at));
    });
}

bool TFrm_LedSet::UpdateMenu()
{
    const TLedMenuState state = LedMenuState(int(list_.size()), SGrd_LedList->currentRow() >= 0, Uploading());
    Mnu_Add->setEnabled(state.Add);
    Mnu_Modify->setEnabled(state.Modify);
    Mnu_Delete->setEnabled(state.Delete);
    return state.Opens;
}

void TFrm_LedSet::LoadList()
{
    int adjusted = 0;
    QString error;
    if (!LoadLedList(configPath_, list_, &adjusted, &error))
        ShowError(this, LoadResStr(1610) + QLatin1Char('\n') + error);
    ShowList();
    ReportAdjusted(adjusted);
}

void TFrm_LedSet::ShowList()
{
    QList<QStringList> rows;
    int position = 0;
    for (const TLedMessage& m : list_)
        rows << LedCellTexts(m, ++position);
    SGrd_LedList->SetRows(rows);
}

void TFrm_LedSet::ReportAdjusted(int adjusted)
{
    if (adjusted > 0)
        ShowWarning(this, LoadResStr(3301).arg(adjusted));
}

void TFrm_LedSet::EditMessage(int row)
{
    const bool adding = row < 0;
    if (!adding && row >= int(list_.size()))
        return;
    TFrm_LedEdit dialog(adding ? 1908 : 1909, adding ? TLedMessage{} : list_[size_t(row)], this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (adding)
        AddMessage(dialog.Message());
    else
        ModifyMessage(row, dialog.Message());
}

void TFrm_LedSet::AddMessage(const TLedMessage& message)
{
    if (int(list_.size()) >= MaxLedMessages)
        return;
    list_.push_back(message);
    ShowList();
}

void TFrm_LedSet::ModifyMessage(int row, const TLedMessage& message)
{
    if (row < 0 || row >= int(list_.size()))
        return;
    list_[size_t(row)] = message;
    ShowList();
}

void TFrm_LedSet::DeleteMessage()
{
    const int row = SGrd_LedList->currentRow();
    if (row < 0 || row >= int(list_.size()) || !AskYesNo(this, LoadResStr(1916)))
        return;
    list_.erase(list_.begin() + row);
    ShowList();
}

void TFrm_LedSet::EmptyList()
{
    if (!AskYesNo(this, LoadResStr(1917)))
        return;
    list_.clear();
    ShowList();
}

void TFrm_LedSet::ExchangeMessages(int from, int to)
{
    if (from < 0 || to < 0 || from >= int(list_.size()) || to >= int(list_.size()))
        return;
    // Positions belong to the places in the list, so swapping the messages keeps them.
    std::swap(list_[size_t(from)], list_[size_t(to)]);
    ShowList();
    SGrd_LedList->setCurrentCell(to, 0);
}

void TFrm_LedSet::ImportFrom(const QString& path)
{
    int adjusted = 0;
    if (!ImportLedList(path, list_, &adjusted)) {
        ShowError(this, LoadResStr(1610));
        return;
    }
    ShowList();
    ReportAdjusted(adjusted);
}

void TFrm_LedSet::ExportTo(const QString& path)
{
    QString error;
    if (!SaveLedList(path, list_, &error))
        ShowError(this, LoadResStr(3300).arg(error));
}

void TFrm_LedSet::Upload()
{
    if (Uploading())
        return;
    Pnl_Progress->Open();
    upload_.Start(uint8_t(Edt_Address->value()), list_);
}

void TFrm_LedSet::UploadEnded(TTransferEnd how)
{
    Pnl_Progress->Close();
    if (how == TTransferEnd::TimedOut)
        ShowError(this, LoadResStr(1918));
}

void TFrm_LedSet::SetDeviceClock()
{
    DeviceFrames::Send(line_, DeviceFrames::ClockFrame(QDateTime(clock_.Today(), clock_.TimeOfDay())));
}

void TFrm_LedSet::done(int result)
{
    upload_.Cancel();
    QString error;
    if (!SaveLedList(configPath_, list_, &error))
        ShowError(this, LoadResStr(3300).arg(error));
    QDialog::done(result);
}
