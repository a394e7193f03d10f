#pragma once
// The device memory window: reads a device's configuration memory into an
// image, shows it as parameters and as a memory map, lets the parameters be
// edited, saves and loads it as a file, and writes it into a device.
#include "devices/MemoryImage.h"
#include "devices/MemoryMapModel.h"
#include "devices/MemoryTransfer.h"

#include <QDialog>
#include <array>

class IClock;
class ISerialLine;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;
class TDeviceReplies;
class TProgressPanel;

// Opens the window modally over parent.
void RunCopyData(QWidget* parent, ISerialLine& line, TDeviceReplies& replies, const IClock& clock);

class TFrm_CopyData final : public QDialog {
    Q_OBJECT
public:
    TFrm_CopyData(ISerialLine& line, TDeviceReplies& replies, const IClock& clock, QWidget* parent = nullptr);
    ~TFrm_CopyData() override;

    const QByteArray& Image() const { return map_.Image(); }
    bool Transferring() const { return transfer_.Running(); }

    // What the buttons do once their file is chosen; nothing while a transfer runs.
    void ImportFrom(const QString& path);
    void ExportTo(const QString& path);
    void Read();
    void Write();

    // The control of the parameter at offset 0-13: a QSpinBox or a QComboBox.
    QWidget* ParamControl(int offset) const { return params_[size_t(offset)]; }

    QTableView* SGrd_MemoryMap;
    QLabel* Lbl_Size;
    QSpinBox* Edt_Address;
    QPushButton* Btn_Import;
    QPushButton* Btn_Export;
    QPushButton* Btn_Read;
    QPushButton* Btn_Write;
    TProgressPanel* Pnl_Progress;

private:
    QWidget* CreateParamPage();
    QWidget* CreateMapPage();
    // Shows a new image: the grid, the controls over its first bytes and the size line.
    void DisplayMemoryValue();
    void ParamChanged(int index, int value);
    void Start(const std::function<void()>& start);
    void TransferEnded(TTransferEnd how);

    TDeviceReplies& replies_;
    TMemoryMapModel map_;
    TMemoryTransfer transfer_;
    std::array<QWidget*, MemoryParamCount> params_{};
};
