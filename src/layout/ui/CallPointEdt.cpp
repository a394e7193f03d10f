#include "layout/ui/CallPointEdt.h"

#include "core/ResStrings.h"
#include "core/ui/Colors.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "layout/LayoutTexts.h"
#include "layout/ui/PointDrawing.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

// Four hexadecimal digits cover every 16-bit address.
constexpr int AddressLength = 4;

QLineEdit* FilteredEdit(const QString& name, const QString& accepted, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(accepted), edit));
    return edit;
}

QComboBox* ChoiceList(const QString& name, const QStringList& items, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

} // namespace

TFrm_CallPointEdt::TFrm_CallPointEdt(const TLayOutEditModel& model, QWidget* parent)
    : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("Frm_CallPointEdt"));
    SetupStationDialog(this);

    Edt_Name = new QLineEdit(this);
    Edt_Name->setObjectName(QStringLiteral("Edt_Name"));
    // The typed '.' is let through and refused on OK: an address has no fraction.
    Edt_Address = FilteredEdit(QStringLiteral("Edt_Address"), QStringLiteral("[0-9A-Fa-f.]*"), this);
    Edt_Address->setMaxLength(AddressLength);
    Cbx_Shape = ChoiceList(QStringLiteral("Cbx_Shape"), LoadResStr(TxtLayoutShapes).split(QLatin1Char('\n')), this);
    Edt_Width = FilteredEdit(QStringLiteral("Edt_Width"), QStringLiteral("[0-9]*"), this);
    Edt_Height = FilteredEdit(QStringLiteral("Edt_Height"), QStringLiteral("[0-9]*"), this);
    Cbx_TxtPos = ChoiceList(QStringLiteral("Cbx_TxtPos"), LoadResStr(TxtLayoutTextPlaces).split(QLatin1Char('\r')), this);

    QDialogButtonBox* buttons = OkCancelButtons(this).Box;
    connect(buttons, &QDialogButtonBox::accepted, this, &TFrm_CallPointEdt::accept);

    auto* form = new QFormLayout(this);
    form->setContentsMargins(24, 16, 24, 12);
    form->setVerticalSpacing(8);
    form->addRow(LoadResStr(TxtLayoutPointName), Edt_Name);
    form->addRow(LoadResStr(TxtLayoutPointAddress), Edt_Address);
    form->addRow(LoadResStr(TxtLayoutPointShape), Cbx_Shape);
    form->addRow(LoadResStr(TxtLayoutPointWidth), Edt_Width);
    form->addRow(LoadResStr(TxtLayoutPointHeight), Edt_Height);
    form->addRow(LoadResStr(TxtLayoutTextPlace), Cbx_TxtPos);
    form->addRow(buttons);
    setFixedSize(316, 265);
}

void TFrm_CallPointEdt::Start(bool addMode, TLayOutPoint& record)
{
    addMode_ = addMode;
    record_ = &record;
    setWindowTitle(LoadResStr(addMode ? TxtLayoutAddPointCaption : TxtLayoutModifyPointCaption));
    if (addMode)
        record = NewCallPoint();
    SetForm(FormOfPoint(record));
    Edt_Name->setFocus();
}

bool TFrm_CallPointEdt::Execute(bool addMode, TLayOutPoint& record)
{
    Start(addMode, record);
    // Centred on the main window, the editor's own owner, wherever the editor was moved.
    if (QWidget* owner = parentWidget() ? parentWidget()->parentWidget() : nullptr)
        move(owner->window()->geometry().center() - QPoint(width() / 2, height() / 2));
    return exec() == QDialog::Accepted;
}

TCallPointForm TFrm_CallPointEdt::Form() const
{
    TCallPointForm form;
    form.Name = Edt_Name->text();
    form.Address = Edt_Address->text();
    form.Shape = Cbx_Shape->currentIndex();
    form.Width = Edt_Width->text();
    form.Height = Edt_Height->text();
    form.TxtPos = Cbx_TxtPos->currentIndex();
    return form;
}

void TFrm_CallPointEdt::SetForm(const TCallPointForm& form)
{
    Edt_Name->setText(form.Name);
    Edt_Address->setText(form.Address);
    Cbx_Shape->setCurrentIndex(form.Shape);
    Edt_Width->setText(form.Width);
    Edt_Height->setText(form.Height);
    Cbx_TxtPos->setCurrentIndex(form.TxtPos);
}

void TFrm_CallPointEdt::accept()
{
    if (!record_)
        return;
    if (const auto refusal = ApplyCallPointForm(Form(), addMode_, model_, *record_)) {
        ShowRefusal(this, refusal->Caption, refusal->Text);
        return;
    }
    QDialog::accept();
}
