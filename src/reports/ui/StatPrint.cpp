#include "reports/ui/StatPrint.h"

#include "core/Paths.h"
#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "reports/StatPrintLayout.h"
#include "reports/StatReports.h"

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
    painter.setPen(QPen(Qt::black, std::max(1.0, 0.2 * perMm)));
    const std::vector<TPrintPage> pages = LayoutStatPrint(report.Grid, report.Caption, DisplayDateFormat);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        for (const TPrintItem& item : pages[i].Items) {
            const QRectF r = toDevice(item.Mm);
            if (item.Kind == TPrintItem::Line) {
                painter.drawLine(r.topLeft(), r.topRight());
                continue;
            }
            painter.save();
            painter.setClipRect(r);
            painter.drawText(r, (item.Centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, item.Text);
            painter.restore();
        }
    }
}

void RunStatPrintPreview(QWidget* parent, const TStatReport& report)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(LoadResStr(JobTitle));
    SetUpPage(printer);
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
    QPdfWriter pdf(path);
    pdf.setTitle(LoadResStr(JobTitle));
    SetUpPage(pdf);
    QPainter painter;
    if (!painter.begin(&pdf)) {
        if (error)
            *error = QStringLiteral("the file cannot be written");
        return false;
    }
    DrawStatPrint(painter, pdf, report);
    return painter.end();
}
