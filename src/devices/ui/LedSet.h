#pragma once
// The LED strip window: the message list kept in Config.ini, its editing,
// import and export, the upload to the display and the display's clock.
#include "devices/LedMessages.h"
#include "devices/LedUpload.h"

#include <QDialog>

class IClock;
class ISerialLine;
class QAction;
class QMenu;
class QSpinBox;
class TDeviceReplies;
class TLedListView;
class TProgressPanel;

// Opens the window modally over parent; the list is read from and written back to the Config.ini
// at configPath when it closes.
void RunLedSet(QWidget* parent, ISerialLine& line, TDeviceReplies& replies, const IClock& clock,
               const QString& configPath);

class TFrm_LedSet final : public QDialog {
    Q_OBJECT
public:
    TFrm_LedSet(ISerialLine& line, TDeviceReplies& replies, const IClock& clock, const QString& configPath,
                QWidget* parent = nullptr);
    ~TFrm_LedSet() override;

    // Reads the list from Config.ini.
    void LoadList();
    const TLedList& List() const { return list_; }
    bool Uploading() const { return upload_.Running(); }

    // What the menu items do once their file or question is settled.
    void ImportFrom(const QString& path);
    void ExportTo(const QString& path);
    void AddMessage(const TLedMessage& message);
    void ModifyMessage(int row, const TLedMessage& message);
    void DeleteMessage();
    void EmptyList();
    void ExchangeMessages(int from, int to);
    void Upload();
    void SetDeviceClock();
    // Enables the menu items for the list's state; false when the menu must not open.
    bool UpdateMenu();

    QSpinBox* Edt_Address;
    TLedListView* SGrd_LedList;
    QMenu* Pmnu_LedList;
    QAction* Mnu_Add;
    QAction* Mnu_Modify;
    QAction* Mnu_Delete;
    QAction* Mnu_Empty;
    QAction* Mnu_Import;
    QAction* Mnu_Export;
    QAction* Mnu_Upload;
    QAction* Mnu_SetClock;
    TProgressPanel* Pnl_Progress;

public slots:
    // Closing always writes the list back; there is no question.
    void done(int result) override;

private:
    void CreateMenu();
    void ShowList();
    void EditMessage(int row);
    void ReportAdjusted(int adjusted);
    void UploadEnded(TTransferEnd how);

    ISerialLine& line_;
    TDeviceReplies& replies_;
    const IClock& clock_;
    const QString configPath_;
    TLedList list_;
    TLedUpload upload_;
};
