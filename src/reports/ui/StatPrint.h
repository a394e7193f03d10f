#pragma once
// The statistics print-out drawn on a printer: the pages of LayoutStatPrint on
// A4 in millimetres, shown in a print preview from which the operator prints.
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QWidget;
struct TStatReport;

class QPrinter;
// A4 portrait, 10 mm margins, the job title "统计报表打印".
void PrepareStatPrinter(QPrinter& printer);
// Draws the print-out on device (a QPrinter or QPdfWriter), a page per layout page.
void DrawStatPrint(QPainter& painter, QPagedPaintDevice& device, const TStatReport& report);
// The preview window of the print-out ("统计报表打印"), modal.
void RunStatPrintPreview(QWidget* parent, const TStatReport& report);
// Prints the print-out into a PDF file; false with the reason when it cannot be written.
bool PrintStatReportToPdf(const TStatReport& report, const QString& path, QString* error = nullptr);
