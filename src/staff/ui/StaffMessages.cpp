#include "staff/ui/StaffMessages.h"

#include "core/ResStrings.h"

#include <QMessageBox>

void ShowEditProblem(QWidget* parent, const TEditProblem& problem)
{
    const QMessageBox::Icon icon = problem.CaptionId == 113 ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox box(icon, LoadResStr(problem.CaptionId), LoadResStr(problem.TextId), QMessageBox::Ok, parent);
    box.exec();
}

void ShowStoreError(QWidget* parent, const QString& error)
{
    QMessageBox::critical(parent, LoadResStr(113), error);
}

bool AskYesNo(QWidget* parent, int textId)
{
    return QMessageBox::question(parent, LoadResStr(114), LoadResStr(textId), QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}
