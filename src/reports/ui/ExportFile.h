#pragma once
// Choosing the spreadsheet an export writes, and saying how it ended.
#include <QString>

class QWidget;

// The save dialog (filter "Excel文件"), then ExportPathFor the chosen name; empty when cancelled.
QString ChooseExportFile(QWidget* parent, const QString& title, const QString& proposed);
// The file a chosen name is written to (".xlsx" added or put in place of ".xls"); when that
// file exists the operator is asked about it, by that name. Empty when he declines.
QString ExportPathFor(QWidget* parent, const QString& chosen);
// The notice that path was written; with open, the file is first handed to the desktop's
// program for it, and the notice says so when there is none.
void ShowExported(QWidget* parent, const QString& path, bool open);
