#include "operators/ui/OperateManage.h"

#include "core/ResStrings.h"
#include "operators/LoginMsg.h"
#include "operators/OperatorListModel.h"
#include "operators/OperatorStore.h"
#include "operators/OperatorsTexts.h"
#include "operators/ui/CellTextDelegate.h"
#include "core/ui/StationDialog.h"
#include "operators/ui/ModiPassDialog.h"
#include "operators/ui/OperatorEditDialog.h"
#include "operators/ui/OperatorMessages.h"
#include "core/ui/Messages.h"
#include "operators/ui/PopedomDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int ColumnWidths[TOperatorListModel::ColumnCount] = {120, 70, 120};
}  // namespace

TFrm_OperateManage::TFrm_OperateManage(TOperatorStore& operators, TLoginMsg& login,
                                        QWidget* parent)
    : QDialog(parent),
      SGrd_Operators(new QTableView(this)),
      Btn_Add(new QPushButton(LoadResStr(TxtOperatorsAdd), this)),
      Btn_Modify(new QPushButton(LoadResStr(TxtOperatorsModify), this)),
      Btn_Del(new QPushButton(LoadResStr(TxtOperatorsDelete), this)),
      Btn_Popedom(new QPushButton(LoadResStr(TxtOperatorsPermissions), this)),
      Btn_ModiPass(new QPushButton(LoadResStr(TxtOperatorsChangePassword), this)),
      operators_(operators),
      login_(login),
      model_(new TOperatorListModel(operators, this))
{
    SetupStationDialog(this, TxtOperatorsManageCaption);
    SGrd_Operators->setModel(model_);
    SGrd_Operators->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGrd_Operators->setSelectionMode(QAbstractItemView::SingleSelection);
    SGrd_Operators->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every cell as the grid writes its text, so the sex texts line up with the rest.
    SGrd_Operators->setItemDelegate(new TCellTextDelegate(SGrd_Operators));
    QHeaderView* header = SGrd_Operators->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: #A6CAF0; padding: 2px;"
        " border: none; border-right: 1px solid #808080; border-bottom: 1px solid #808080; }"));
    for (int c = 0; c < TOperatorListModel::ColumnCount; ++c)
        SGrd_Operators->setColumnWidth(c, ColumnWidths[c]);
    SGrd_Operators->setMinimumWidth(ColumnWidths[0] + ColumnWidths[1] + ColumnWidths[2] + 70);
    // Grid rows one text line high.
    const int rowHeight = fontMetrics().height() + 4;
    SGrd_Operators->verticalHeader()->setMinimumSectionSize(rowHeight);
    SGrd_Operators->verticalHeader()->setDefaultSectionSize(rowHeight);
    connect(SGrd_Operators->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    operators_.SetCurrent(current.row());
            });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {Btn_Add, Btn_Modify, Btn_Del, Btn_Popedom, Btn_ModiPass}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    connect(Btn_Add, &QPushButton::clicked, this, &TFrm_OperateManage::Btn_AddClick);
    connect(Btn_Modify, &QPushButton::clicked, this, &TFrm_OperateManage::Btn_ModifyClick);
    connect(Btn_Del, &QPushButton::clicked, this, &TFrm_OperateManage::Btn_DelClick);
    connect(Btn_Popedom, &QPushButton::clicked, this, &TFrm_OperateManage::Btn_PopedomClick);
    connect(Btn_ModiPass, &QPushButton::clicked, this, &TFrm_OperateManage::Btn_ModiPassClick);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(SGrd_Operators, 1);
    layout->addLayout(buttons);
    resize(480, 300);
    ShowRows();
}

void TFrm_OperateManage::ShowRows()
{
    model_->Refresh();
    const bool hasRows = operators_.Count() > 0;
    if (hasRows)
        SGrd_Operators->setCurrentIndex(model_->index(operators_.Current(), 0));
    for (QPushButton* b : {Btn_Modify, Btn_Del, Btn_Popedom, Btn_ModiPass})
        b->setEnabled(hasRows);
}

void TFrm_OperateManage::RunEditor(TOperatorEditMode mode)
{
    if (!editor_)
        editor_ = new TFrm_OperatorEdt(operators_, this);
    editor_->Start(mode);
    // The logged-in operator who renames himself changes his password under the new name.
    const bool renamingSelf = mode == TOperatorEditMode::Modify && operators_.Count() > 0
                              && operators_.CheckDelete(login_) == TOperatorCheck::LoggedInOperator;
    if (editor_->exec() != QDialog::Accepted)
        return;
    if (renamingSelf)
        login_.Name = operators_.Row(operators_.Current()).Name;
    ShowRows();
}

void TFrm_OperateManage::Btn_AddClick()
{
    RunEditor(TOperatorEditMode::Add);
}

void TFrm_OperateManage::Btn_ModifyClick()
{
    RunEditor(TOperatorEditMode::Modify);
}

void TFrm_OperateManage::Btn_DelClick()
{
    const TOperatorCheck allowed = operators_.CheckDelete(login_);
    if (allowed != TOperatorCheck::Ok) {
        ReportOperatorCheck(this, allowed, operators_);
        return;
    }
    if (!AskYesNo(this, LoadResStr(TxtOperatorsDeleteQuestion)))
        return;
    ReportOperatorCheck(this, operators_.Delete(), operators_);
    ShowRows();
}

void TFrm_OperateManage::Btn_PopedomClick()
{
    TFrm_PopedomEdt editor(operators_, this);
    editor.exec();
}

void TFrm_OperateManage::Btn_ModiPassClick()
{
    TFrm_ModiPass dialog(operators_, this);
    dialog.exec();
}
