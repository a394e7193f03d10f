#include "operators/ui/DialogParts.h"

#include "core/GbkCodec.h"
#include "core/ResStrings.h"
#include "layout/ui/PointDrawing.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
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

void SetupStationDialog(QDialog* dialog, int captionId)
{
    dialog->setWindowTitle(LoadResStr(captionId));
    dialog->setFont(StationFont());
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, QColor(0xF6, 0xF6, 0xF6));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(LoadResStr(101), QDialogButtonBox::AcceptRole);
    buttons->addButton(LoadResStr(102), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void LimitToGbkBytes(QLineEdit* edit, int maxBytes)
{
    edit->setValidator(new TGbkLimitValidator(maxBytes, edit));
}
