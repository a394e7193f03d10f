#include "operators/ui/PopedomDialog.h"

#include "core/ResStrings.h"
#include "operators/LoginMsg.h"
#include "operators/OperatorStore.h"
#include "core/ui/StationDialog.h"
#include "operators/OperatorsTexts.h"
#include "operators/ui/OperatorMessages.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
// The texts of the main window's buttons that each bit opens, in bit order.
constexpr int PopedomTextIds[PopedomBitCount] = {TxtPopedomOperators, TxtPopedomBaseSettings, TxtPopedomLayout,
                                                 TxtPopedomStaff, TxtPopedomHistory, TxtPopedomStatistics,
                                                 TxtPopedomMaintenance, TxtPopedomLed, TxtPopedomCopyData,
                                                 TxtPopedomBind};
constexpr int ItemHeight = 18;
}  // namespace

TFrm_PopedomEdt::TFrm_PopedomEdt(TOperatorStore& operators, QWidget* parent)
    : QDialog(parent), Lst_Popedom(new QListWidget(this)), operators_(operators)
{
    SetupStationDialog(this, TxtOperatorsPermissionsCaption);
    const int32_t popedom = operators_.Count() > 0 ? operators_.Row(operators_.Current()).Popedom : 0;
    int widest = 0;
    for (int bit = 0; bit < PopedomBitCount; ++bit) {
        auto* item = new QListWidgetItem(LoadResStr(PopedomTextIds[bit]), Lst_Popedom);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(HasPopedom(popedom, static_cast<TPopedomBit>(bit)) ? Qt::Checked : Qt::Unchecked);
        widest = std::max(widest, fontMetrics().horizontalAdvance(item->text()));
    }
    const int itemWidth = widest + 40;   // room for the check box
    for (int i = 0; i < Lst_Popedom->count(); ++i)
        Lst_Popedom->item(i)->setSizeHint(QSize(itemWidth, ItemHeight));
    const int frame = 2 * Lst_Popedom->frameWidth();
    Lst_Popedom->setFixedHeight(PopedomBitCount * ItemHeight + frame);
    Lst_Popedom->setMinimumWidth(itemWidth + frame);

    QDialogButtonBox* buttons = OkCancelButtons(this).Box;
    connect(buttons, &QDialogButtonBox::accepted, this, &TFrm_PopedomEdt::Btn_OkClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lst_Popedom);
    layout->addWidget(buttons);
}

void TFrm_PopedomEdt::Btn_OkClick()
{
    int32_t bits = 0;
    for (int bit = 0; bit < PopedomBitCount; ++bit) {
        if (Lst_Popedom->item(bit)->checkState() == Qt::Checked)
            bits |= 1 << bit;
    }
    const TOperatorCheck check = operators_.SetPopedom(bits);
    if (check == TOperatorCheck::Ok)
        accept();
    else
        ReportOperatorCheck(this, check, operators_);
}
