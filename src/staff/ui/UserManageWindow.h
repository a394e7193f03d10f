#pragma once
// The staff window: the staff list and the duty roster, edited in memory and
// written to the tables only when the window is confirmed.
#include "staff/StaffStore.h"

#include <QDialog>

class QPushButton;
class QTableWidget;
class TCaptionTabWidget;
class TDM_Sys;
class TFrm_TableEdit;
class TFrm_UserEdit;
struct TLayOutTree;

class TFrm_UserManage final : public QDialog {
    Q_OBJECT
public:
    TFrm_UserManage(QWidget* parent, TDM_Sys& store, const TLayOutTree& mainTree);

    // Fills both pages from the tables.
    bool LoadData(QString* error);
    const TStaffData& Data() const { return data_; }

    TCaptionTabWidget* Pgc_Pages;
    QTableWidget* SGrd_User;
    QTableWidget* SGrd_Duty;
    QPushButton* Btn_UserAdd;
    QPushButton* Btn_UserModify;
    QPushButton* Btn_UserDelete;
    QPushButton* Btn_DutyAdd;
    QPushButton* Btn_DutyModify;
    QPushButton* Btn_DutyDelete;
    QPushButton* Btn_Ok = nullptr;
    QPushButton* Btn_Cancel = nullptr;

    // Writes both tables; closes with acceptance, or shows the error and stays open.
    void Btn_OkClick();
    // A press on the duty grid's header.
    void TableSort(int column);
    void Btn_UserAddClick();
    void Btn_UserModifyClick();
    void Btn_DutyAddClick();
    void Btn_DutyModifyClick();
    void Btn_UserDeleteClick();
    void Btn_DutyDeleteClick();

private:
    QWidget* CreatePage(QTableWidget* grid, const QList<int>& headers, const QList<int>& widths,
                        QPushButton* add, QPushButton* modify, QPushButton* del);
    void ShowRows(QTableWidget* grid, const TTextGrid& rows, int current);
    void ShowAll();
    void DeleteRow(QTableWidget* grid, TTextGrid& rows, int question);
    TFrm_UserEdit& UserEditor();
    TFrm_TableEdit& TableEditor();

    TDM_Sys& store_;
    const TLayOutTree& tree_;
    TStaffData data_;
    TFrm_UserEdit* userEdit_ = nullptr;     // created on first use, owned by the window
    TFrm_TableEdit* tableEdit_ = nullptr;
};
