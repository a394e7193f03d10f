#include "staff/ui/UserManageWindow.h"

#include "core/ResStrings.h"
#include "core/ui/CaptionTabs.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "staff/StaffTexts.h"
#include "staff/ui/TableEditDialog.h"
#include "staff/ui/UserEditDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

namespace {

const QList<int> StaffHeaders = {TxtStaffNumber, TxtStaffName, TxtStaffSex, TxtStaffPhone, TxtStaffCancelAddress,
                                TxtStaffRemark};
const QList<int> StaffWidths = {50, 100, 40, 100, 70, 105};
const QList<int> DutyHeaders = {TxtStaffNumber, TxtStaffName, TxtStaffDutyStart, TxtStaffDutyEnd, TxtStaffDutyArea,
                               TxtStaffDutyPosition};
const QList<int> DutyWidths = {50, 100, 70, 70, 85, 90};

QTableWidget* NewGrid(QWidget* parent)
{
    auto* grid = new QTableWidget(parent);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->setWordWrap(false);
    return grid;
}

int CurrentRow(const QTableWidget* grid)
{
    return std::max(grid->currentRow(), 0);
}

}  // namespace

TFrm_UserManage::TFrm_UserManage(QWidget* parent, TDM_Sys& store, const TLayOutTree& mainTree)
    : QDialog(parent), Pgc_Pages(new TCaptionTabWidget(this)), SGrd_User(NewGrid(this)), SGrd_Duty(NewGrid(this)),
      Btn_UserAdd(new QPushButton(LoadResStr(TxtStaffAdd), this)), Btn_UserModify(new QPushButton(LoadResStr(TxtStaffModify), this)),
      Btn_UserDelete(new QPushButton(LoadResStr(TxtStaffDelete), this)), Btn_DutyAdd(new QPushButton(LoadResStr(TxtStaffAdd), this)),
      Btn_DutyModify(new QPushButton(LoadResStr(TxtStaffModify), this)), Btn_DutyDelete(new QPushButton(LoadResStr(TxtStaffDelete), this)),
      store_(store), tree_(mainTree)
{
    SetupStationDialog(this, TxtStaffManageCaption);

    Pgc_Pages->addTab(CreatePage(SGrd_User, StaffHeaders, StaffWidths, Btn_UserAdd, Btn_UserModify, Btn_UserDelete),
                      LoadResStr(TxtStaffDetails));
    Pgc_Pages->addTab(CreatePage(SGrd_Duty, DutyHeaders, DutyWidths, Btn_DutyAdd, Btn_DutyModify, Btn_DutyDelete),
                      LoadResStr(TxtStaffDutyRoster));
    QHeaderView* dutyHeader = SGrd_Duty->horizontalHeader();
    dutyHeader->setSortIndicatorShown(true);
    dutyHeader->setSortIndicator(-1, Qt::AscendingOrder);
    dutyHeader->setSectionsClickable(true);

    const TOkCancelRow row = OkCancelButtons(this);
    Btn_Ok = row.Ok;
    Btn_Cancel = row.Cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pgc_Pages);
    layout->addWidget(row.Box);
    connect(Btn_Ok, &QPushButton::clicked, this, &TFrm_UserManage::Btn_OkClick);
    connect(Btn_UserAdd, &QPushButton::clicked, this, &TFrm_UserManage::Btn_UserAddClick);
    connect(Btn_UserModify, &QPushButton::clicked, this, &TFrm_UserManage::Btn_UserModifyClick);
    connect(Btn_UserDelete, &QPushButton::clicked, this, &TFrm_UserManage::Btn_UserDeleteClick);
    connect(Btn_DutyAdd, &QPushButton::clicked, this, &TFrm_UserManage::Btn_DutyAddClick);
    connect(Btn_DutyModify, &QPushButton::clicked, this, &TFrm_UserManage::Btn_DutyModifyClick);
    connect(Btn_DutyDelete, &QPushButton::clicked, this, &TFrm_UserManage::Btn_DutyDeleteClick);
    connect(dutyHeader, &QHeaderView::sectionClicked, this, &TFrm_UserManage::TableSort);

    ShowAll();
}

QWidget* TFrm_UserManage::CreatePage(QTableWidget* grid, const QList<int>& headers, const QList<int>& widths,
                                     QPushButton* add, QPushButton* modify, QPushButton* del)
{
    auto* page = new QWidget(this);
    QStringList labels;
    for (int id : headers)
        labels << LoadResStr(id);
    grid->setColumnCount(static_cast<int>(labels.size()));
    grid->setHorizontalHeaderLabels(labels);
    // The roster's widths, widened where the caption would not fit the window's font.
    int total = 0;
    for (int c = 0; c < grid->columnCount(); ++c) {
        grid->setColumnWidth(c, std::max(widths.value(c), grid->horizontalHeader()->sectionSizeHint(c)));
        total += grid->columnWidth(c);
    }
    grid->setMinimumWidth(total + grid->frameWidth() * 2 + grid->verticalScrollBar()->sizeHint().width());
    grid->setMinimumHeight(240);
    grid->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(modify);
    buttons->addWidget(del);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grid);
    layout->addLayout(buttons);
    grid->setParent(page);
    return page;
}

bool TFrm_UserManage::LoadData(QString* error)
{
    const bool loaded = LoadStaffData(store_, tree_, data_, error);
    SGrd_Duty->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    ShowAll();
    return loaded;
}

void TFrm_UserManage::ShowRows(QTableWidget* grid, const TTextGrid& rows, int current)
{
    grid->setUpdatesEnabled(false);
    grid->setRowCount(rows.RowCount());
    for (int r = 0; r < rows.RowCount(); ++r) {
        for (int c = 0; c < rows.ColumnCount(); ++c) {
            QTableWidgetItem* item = grid->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                grid->setItem(r, c, item);
            }
            item->setText(rows.Cell(r, c));
        }
    }
    grid->setCurrentCell(std::clamp(current, 0, rows.RowCount() - 1), 0);
    grid->setUpdatesEnabled(true);

    const bool holds = rows.HoldsRows();
    QPushButton* modify = grid == SGrd_User ? Btn_UserModify : Btn_DutyModify;
    QPushButton* del = grid == SGrd_User ? Btn_UserDelete : Btn_DutyDelete;
    modify->setEnabled(holds);
    del->setEnabled(holds);
}

void TFrm_UserManage::ShowAll()
{
    ShowRows(SGrd_User, data_.Staff, CurrentRow(SGrd_User));
    ShowRows(SGrd_Duty, data_.Duty, CurrentRow(SGrd_Duty));
}

TFrm_UserEdit& TFrm_UserManage::UserEditor()
{
    if (!userEdit_)
        userEdit_ = new TFrm_UserEdit(this);
    return *userEdit_;
}

TFrm_TableEdit& TFrm_UserManage::TableEditor()
{
    if (!tableEdit_)
        tableEdit_ = new TFrm_TableEdit(this, tree_);
    return *tableEdit_;
}

void TFrm_UserManage::Btn_UserAddClick()
{
    TFrm_UserEdit& dialog = UserEditor();
    dialog.Start(data_.Staff, -1);
    if (dialog.exec() == QDialog::Accepted)
        ShowRows(SGrd_User, data_.Staff, data_.Staff.Add(CurrentRow(SGrd_User), dialog.Row()));
}

void TFrm_UserManage::Btn_UserModifyClick()
{
    const int row = CurrentRow(SGrd_User);
    if (!data_.Staff.HoldsRows())
        return;
    TFrm_UserEdit& dialog = UserEditor();
    dialog.Start(data_.Staff, row);
    if (dialog.exec() == QDialog::Accepted) {
        data_.Staff.Modify(row, dialog.Row());
        ShowRows(SGrd_User, data_.Staff, row);
    }
}

void TFrm_UserManage::Btn_DutyAddClick()
{
    TFrm_TableEdit& dialog = TableEditor();
    dialog.Start(data_.Staff, nullptr);
    if (dialog.exec() == QDialog::Accepted)
        ShowRows(SGrd_Duty, data_.Duty, data_.Duty.Add(CurrentRow(SGrd_Duty), dialog.Row()));
}

void TFrm_UserManage::Btn_DutyModifyClick()
{
    const int row = CurrentRow(SGrd_Duty);
    if (!data_.Duty.HoldsRows())
        return;
    TFrm_TableEdit& dialog = TableEditor();
    const QStringList cells = data_.Duty.Row(row);
    dialog.Start(data_.Staff, &cells);
    if (dialog.exec() == QDialog::Accepted) {
        data_.Duty.Modify(row, dialog.Row());
        ShowRows(SGrd_Duty, data_.Duty, row);
    }
}

void TFrm_UserManage::DeleteRow(QTableWidget* grid, TTextGrid& rows, int question)
{
    if (!rows.HoldsRows() || !AskYesNo(this, LoadResStr(question)))
        return;
    const int row = CurrentRow(grid);
    rows.Delete(row);
    ShowRows(grid, rows, row);
}

void TFrm_UserManage::Btn_UserDeleteClick()
{
    DeleteRow(SGrd_User, data_.Staff, TxtStaffDeleteQuestion);
}

void TFrm_UserManage::Btn_DutyDeleteClick()
{
    DeleteRow(SGrd_Duty, data_.Duty, TxtStaffDeleteDutyQuestion);
}

void TFrm_UserManage::TableSort(int column)
{
    ::TableSort(data_.Duty, data_.SortMarker, column);
    ShowRows(SGrd_Duty, data_.Duty, CurrentRow(SGrd_Duty));
    const int marker = data_.SortMarker;
    SGrd_Duty->horizontalHeader()->setSortIndicator(std::abs(marker) - 1,
                                                   marker > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TFrm_UserManage::Btn_OkClick()
{
    QString error;
    if (SaveStaffData(store_, tree_, data_, &error))
        accept();
    else
        ShowError(this, error);
}
