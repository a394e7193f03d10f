#include "reports/ui/ExportFile.h"

#include "core/FileFilter.h"
#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "reports/ReportsTexts.h"
#include "reports/TableSink.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

QString ChooseExportFile(QWidget* parent, const QString& title, const QString& proposed)
{
    // The dialog would only ask about the name as typed; the suffix may still change it.
    const QString chosen = QFileDialog::getSaveFileName(parent, title, proposed, QtFileFilter(LoadResStr(TxtReportsExcelFilter)),
                                                        nullptr, QFileDialog::DontConfirmOverwrite);
    return chosen.isEmpty() ? QString() : ExportPathFor(parent, chosen);
}

QString ExportPathFor(QWidget* parent, const QString& chosen)
{
    const QString path = SpreadsheetPath(chosen);
    if (QFileInfo::exists(path) && !AskYesNo(parent, LoadResStr(TxtReportsReplaceQuestion).arg(QDir::toNativeSeparators(path))))
        return QString();
    return path;
}

void ShowExported(QWidget* parent, const QString& path, bool open)
{
    // A program that is started may still fail on its own: the notice comes either way.
    const bool opened = open && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    ShowNotice(parent, LoadResStr(open && !opened ? TxtReportsExportedNoProgram : TxtReportsExported).arg(QDir::toNativeSeparators(path)));
}
