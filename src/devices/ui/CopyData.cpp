#include "devices/ui/CopyData.h"

#include "comm/DeviceReplies.h"
#include "core/ResStrings.h"
#include "core/StationColors.h"
#include "core/ui/CaptionTabs.h"
#include "core/ui/Colors.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "devices/DevicesTexts.h"
#include "devices/MemoryFile.h"
#include "devices/MemoryImage.h"
#include "devices/ui/DeviceFields.h"
#include "devices/ui/ProgressPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

void RunCopyData(QWidget* parent, ISerialLine& line, TDeviceReplies& replies, const IClock& clock)
{
    TFrm_CopyData window(line, replies, clock, parent);
    window.exec();
}

TFrm_CopyData::TFrm_CopyData(ISerialLine& line, TDeviceReplies& replies, const IClock& clock, QWidget* parent)
    : QDialog(parent), replies_(replies), map_(this), transfer_(line, clock)
{
    SetupStationDialog(this, TxtDevicesCopyCaption);
    resize(640, 480);

    auto* pages = new TCaptionTabWidget(this);
    pages->addTab(CreateParamPage(), LoadResStr(TxtDevicesSystemParams));
    pages->addTab(CreateMapPage(), LoadResStr(TxtDevicesMemoryMap));

    Lbl_Size = new QLabel(MemorySizeText(0), this);
    Edt_Address = NumberField("Edt_Address", 0, 255, 0, this);
    const auto button = [this](int textId, const char* name) {
        auto* b = new QPushButton(LoadResStr(textId), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    Btn_Import = button(TxtDevicesMemoryImport, "Btn_Import");
    Btn_Export = button(TxtDevicesMemoryExport, "Btn_Export");
    Btn_Read = button(TxtDevicesMemoryRead, "Btn_Read");
    Btn_Write = button(TxtDevicesMemoryWrite, "Btn_Write");
    Btn_Export->setEnabled(false);
    Btn_Write->setEnabled(false);
    connect(Btn_Import, &QPushButton::clicked, this, [this] {
        if (const QString path = Transferring() ? QString() : AskFile(this, false); !path.isEmpty())
            ImportFrom(path);
    });
    connect(Btn_Export, &QPushButton::clicked, this, [this] {
        if (const QString path = Transferring() ? QString() : AskFile(this, true); !path.isEmpty())
            ExportTo(path);
    });
    connect(Btn_Read, &QPushButton::clicked, this, &TFrm_CopyData::Read);
    connect(Btn_Write, &QPushButton::clicked, this, &TFrm_CopyData::Write);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Lbl_Size);
    bottom->addStretch(1);
    bottom->addWidget(new QLabel(LoadResStr(TxtDevicesAddress), this));
    bottom->addWidget(Edt_Address);
    for (QPushButton* b : {Btn_Import, Btn_Export, Btn_Read, Btn_Write})
        bottom->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(bottom);

    Pnl_Progress = new TProgressPanel(transfer_, this);
    transfer_.OnEnded = [this](TTransferEnd how) { TransferEnded(how); };
}

TFrm_CopyData::~TFrm_CopyData() { replies_.UnregisterCopyData(); }

QWidget* TFrm_CopyData::CreateParamPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int i = 0; i < MemoryParamCount; ++i) {
        const TMemoryParam& param = MemoryParams[size_t(i)];
        const QByteArray name = "Edt_Param" + QByteArray::number(param.Offset);
        QWidget* control = nullptr;
        if (param.Kind == TParamKind::Number) {
            auto* spin = NumberField(name.constData(), param.Min, param.Max, param.Min, page);
            connect(spin, &QSpinBox::valueChanged, this, [this, i](int value) { ParamChanged(i, value); });
            control = spin;
        } else {
            // No image yet: no choice.
            auto* choice = ChoiceField(name.constData(), param.ChoicesId, -1, page);
            connect(choice, &QComboBox::currentIndexChanged, this, [this, i](int value) { ParamChanged(i, value); });
            control = choice;
        }
        control->setMinimumWidth(120);
        params_[size_t(i)] = control;
        // Two columns of seven.
        const int row = i % 7;
        const int column = i / 7 * 2;
        grid->addWidget(new QLabel(LoadResStr(param.LabelId), page), row, column);
        grid->addWidget(control, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setHorizontalSpacing(16);
    return page;
}

QWidget* TFrm_CopyData::CreateMapPage()
{
    SGrd_MemoryMap = new QTableView;
    SGrd_MemoryMap->setObjectName(QStringLiteral("SGrd_MemoryMap"));
    SGrd_MemoryMap->setModel(&map_);
    SGrd_MemoryMap->verticalHeader()->hide();
    SGrd_MemoryMap->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The row labels ("00A_") keep their width; the sixteen byte columns share the rest.
    SGrd_MemoryMap->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SGrd_MemoryMap->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    SGrd_MemoryMap->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; }").arg(ToQColor(SkyBlue).name()));
    SGrd_MemoryMap->verticalHeader()->setDefaultSectionSize(SGrd_MemoryMap->fontMetrics().height() + 4);
    return SGrd_MemoryMap;
}

void TFrm_CopyData::DisplayMemoryValue()
{
    const QByteArray& image = map_.Image();
    for (int i = 0; i < MemoryParamCount; ++i) {
        const TMemoryParam& param = MemoryParams[size_t(i)];
        if (param.Offset >= image.size())
            continue;
        // Showing a byte changes nothing: a value out of range is shown limited but stays in the image.
        QWidget* control = params_[size_t(i)];
        const QSignalBlocker quiet(control);
        const int value = ParamControlValue(param, uint8_t(image[param.Offset]));
        if (auto* spin = qobject_cast<QSpinBox*>(control))
            spin->setValue(value);
        else
            static_cast<QComboBox*>(control)->setCurrentIndex(value);
    }
    Lbl_Size->setText(MemorySizeText(int(image.size())));
}

void TFrm_CopyData::ParamChanged(int index, int value)
{
    const TMemoryParam& param = MemoryParams[size_t(index)];
    if (param.Offset < map_.Image().size() && value >= 0)
        map_.SetByte(param.Offset, ParamByte(param, value));
}

void TFrm_CopyData::ImportFrom(const QString& path)
{
    if (Transferring())
        return;
    QByteArray image;
    if (const int refused = ImportMemoryFile(path, &image)) {
        ShowError(this, LoadResStr(refused));
        return;
    }
    map_.SetImage(image);
    Btn_Export->setEnabled(true);
    Btn_Write->setEnabled(true);
    DisplayMemoryValue();
    ShowNotice(this, LoadResStr(TxtDevicesImportDone));
}

void TFrm_CopyData::ExportTo(const QString& path)
{
    if (Transferring())
        return;
    if (ExportMemoryFile(path, map_.Image()))
        ShowNotice(this, LoadResStr(TxtDevicesExportDone));
    else
        ShowError(this, LoadResStr(TxtDevicesExportFailed));
}

void TFrm_CopyData::Read()
{
    Start([this] { transfer_.StartRead(uint8_t(Edt_Address->value())); });
}

void TFrm_CopyData::Write()
{
    if (Btn_Write->isEnabled())
        Start([this] { transfer_.StartWrite(uint8_t(Edt_Address->value()), map_.Image()); });
}

void TFrm_CopyData::Start(const std::function<void()>& start)
{
    if (Transferring())
        return;
    // Registering anew drops a size reply still queued from before: it never counts for this transfer.
    replies_.RegisterCopyData([this](int kind, const uint8_t* frame, int n) { transfer_.OnBlock(kind, frame, n); },
                              [this](int, quint32 size) { transfer_.OnSize(size); });
    Pnl_Progress->Open();
    start();
}

void TFrm_CopyData::TransferEnded(TTransferEnd how)
{
    Pnl_Progress->Close();
    switch (how) {
    case TTransferEnd::Done:
        if (transfer_.Mode() == TMemoryTransfer::TMode::Read) {
            map_.SetImage(transfer_.ReadImage());
            DisplayMemoryValue();
            Btn_Export->setEnabled(true);
            Btn_Write->setEnabled(true);
        }
        break;
    case TTransferEnd::TimedOut:
        ShowError(this, LoadResStr(TxtDevicesMemoryTimeOut));
        break;
    case TTransferEnd::Refused:
        ShowError(this, LoadResStr(TxtDevicesMemoryTooLarge).arg(transfer_.ReportedSize()));
        break;
    case TTransferEnd::Cancelled:
        break;
    }
}
