#include "core/ui/StationDialog.h"

#include "core/CoreTexts.h"
#include "core/GbkCodec.h"
#include "core/ResStrings.h"
#include "core/StationColors.h"
#include "core/ui/Colors.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

namespace {

class TGbkLimitValidator : public QValidator {
public:
    TGbkLimitValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

    State validate(QString& input, int&) const override
    {
        return GbkLength(input) <= maxBytes_ ? Acceptable : Invalid;
    }

private:
    int maxBytes_;
};

}  // namespace

QFont StationFont() { return QToolTip::font(); }

void SetStationBackground(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(PanelBackground));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetupStationDialog(QWidget* dialog, int captionId)
{
    if (captionId > 0)
        dialog->setWindowTitle(LoadResStr(captionId));
    dialog->setFont(StationFont());
    SetStationBackground(dialog);
}

TOkCancelRow OkCancelButtons(QDialog* dialog)
{
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok = box->addButton(LoadResStr(TxtOk), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = box->addButton(LoadResStr(TxtCancel), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("Btn_Ok"));
    cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    ok->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return {box, ok, cancel};
}

void MakePasswordField(QLineEdit* edit)
{
    edit->setEchoMode(QLineEdit::Password);
    // The style's own mask character (a bullet on most) gives way to the station's "*".
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}

TOkCancelRow LayOutWithOkCancel(QDialog* dialog, QLayout* content)
{
    const TOkCancelRow row = OkCancelButtons(dialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(content);
    layout->addWidget(row.Box);
    return row;
}

void LimitToGbkBytes(QLineEdit* edit, int maxBytes)
{
    edit->setValidator(new TGbkLimitValidator(maxBytes, edit));
}
