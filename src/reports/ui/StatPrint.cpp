#include "reports/ui/StatPrint.h"

#include "core/Failure.h"
#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "reports/StatPrintLayout.h"
#include "reports/StatReports.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

constexpr int JobTitle = 1536;

void SetUpPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(StatPrint::Margin, StatPrint::Margin, StatPrint::Margin, StatPrint::Margin),
                                     QPageLayout::Millimeter));
}

}  // namespace

void DrawStatPrint(QPainter& painter, QPagedPaintDevice& device, const TStatReport& report)
{
    // Millimetres to device pixels; the painter's origin is the corner inside the margins.
    const double perMm = device.logicalDpiX() / 25.4;
    const auto toDevice = [perMm](const QRectF& mm) {
        return QRectF(mm.x() * perMm, mm.y() * perMm, mm.width() * perMm, mm.height() * perMm);
    };
    QFont font = StationFont();
    font.setPointSizeF(StatPrint::FontPoints);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    painter.setPen(QPen(Qt::black, std::max(1.0, 0.2 * perMm)));
    const std::vector<TPrintPage> pages =
        LayoutStatPrint(report.Grid, report.Caption, report.Period, QDate::currentDate(), report.DateFormat);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        for (const TPrintItem& item : pages[i].Items) {
            const QRectF r = toDevice(item.Mm);
            if (item.Kind == TPrintItem::Line) {
                painter.drawLine(r.topLeft(), r.topRight());
                continue;
            }
            // Every label on one baseline from the report font's own metrics: a Chinese text
            // drawn in a fallback font would otherwise sit lower than the figures beside it.
            const double spare = r.width() - metrics.horizontalAdvance(item.Text);
            const double x = r.left() + (item.Align & Qt::AlignHCenter ? spare / 2 : item.Align & Qt::AlignRight ? spare : 0);
            const double baseline = r.top() + (r.height() + metrics.ascent() - metrics.descent()) / 2;
            painter.save();
            painter.setClipRect(QRectF(r.left(), r.top() - r.height(), r.width(), 3 * r.height()));   // cut at the sides only
            painter.drawText(QPointF(x, baseline), item.Text);
            painter.restore();
        }
    }
}

void PrepareStatPrinter(QPrinter& printer)
{
    printer.setDocName(LoadResStr(JobTitle));
    SetUpPage(printer);
}

void RunStatPrintPreview(QWidget* parent, const TStatReport& report)
{
    QPrinter printer(QPrinter::HighResolution);
    PrepareStatPrinter(printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(LoadResStr(JobTitle));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&report](QPrinter* p) {
        QPainter painter(p);
        DrawStatPrint(painter, *p, report);
    });
    preview.exec();
}

bool PrintStatReportToPdf(const TStatReport& report, const QString& path, QString* error)
{
    // The file is ours, not the writer's, so that a write that failed (a full disk) is seen.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, file.errorString());
    QPdfWriter pdf(&file);
    pdf.setTitle(LoadResStr(JobTitle));
    SetUpPage(pdf);
    QPainter painter;
    if (!painter.begin(&pdf))
        return Fail(error, QStringLiteral("the file cannot be written"));
    DrawStatPrint(painter, pdf, report);
    if (painter.end() && file.flush() && file.error() == QFileDevice::NoError)
        return true;
    return Fail(error, file.errorString());
}
