// The conditions dialogs, the history list, a staff report, both charts, the
// print preview and a response-time report.
#include "ReportShots.h"
#include "Shots.h"

#include "core/Paths.h"
#include "core/ResStrings.h"
#include "reports/HistoryModel.h"
#include "reports/HistoryQuery.h"
#include "reports/ui/ChartWindow.h"
#include "reports/ui/HistoryTerm.h"
#include "reports/ui/HistoryWindow.h"
#include "reports/ui/StatPrint.h"
#include "reports/ui/StatTerm.h"
#include "reports/ui/StatisticsWindow.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {

bool RunReport(TFrm_Statistics& window, TReportKind kind, TResponseGroup by = TResponseGroup::Staff)
{
    TReportRequest r;
    r.Kind = kind;
    r.Today = QDate::currentDate();
    r.From = r.Today.addDays(-29);
    r.To = r.Today;
    r.By = by;
    std::optional<bool> done;
    window.RunStatReport(r, [&](bool ok) { done = ok; });
    Settle([&] { return done.has_value(); });
    return done.value_or(false);
}

}  // namespace

bool SaveReportShots(const QString& out, TDM_Sys& store, const TLayOutTree& tree)
{
    bool ok = true;
    TFrm_HistoryTerm term(nullptr, tree);
    term.ShowConditions(HistoryQuery);
    ok = Save(term, out + "/history-conditions.png") && ok;
    term.hide();

    HistoryQuery.SDate = QDate::currentDate().addDays(-6);
    TFrm_History history(nullptr, term);
    history.QueryHistoryRecord();
    history.show();
    Settle([&] { return !history.Model().Counting(); });
    ok = Save(history, out + "/history-window.png") && ok;
    history.hide();

    TFrm_Statistics statistics(nullptr, store, tree, QDate::currentDate());
    statistics.show();
    ok = RunReport(statistics, TReportKind::StaffMonth) && ok;
    ok = Save(statistics, out + "/statistics-staff-month.png") && ok;

    TFrm_Chart calls(nullptr);
    calls.ShowReport(statistics.Report(), TChartKind::CallsAndTimeOuts, LoadResStr(1510));
    ok = Save(calls, out + "/chart-calls-timeouts.png") && ok;
    calls.hide();
    TFrm_Chart rates(nullptr);
    rates.ShowReport(statistics.Report(), TChartKind::Rates, LoadResStr(1511));
    ok = Save(rates, out + "/chart-rates.png") && ok;
    rates.hide();

    QPrinter printer(QPrinter::HighResolution);
    PrepareStatPrinter(printer);
    QPrintPreviewDialog preview(&printer);
    const TStatReport printed = statistics.Report();
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
        QPainter painter(p);
        DrawStatPrint(painter, *p, printed);
    });
    preview.resize(900, 760);
    ok = Save(preview, out + "/print-preview.png") && ok;
    // The top of the page at print size, where the labels can be read.
    if (auto* page = preview.findChild<QPrintPreviewWidget*>()) {
        page->setZoomFactor(1.5);
        ok = Save(preview, out + "/print-preview-zoomed.png") && ok;
    }
    preview.hide();

    ok = RunReport(statistics, TReportKind::Response, TResponseGroup::Hour) && ok;
    ok = Save(statistics, out + "/response-times-by-hour.png") && ok;
    statistics.hide();

    TFrm_StatTerm conditions(nullptr, tree, {"张三", "李四"}, QDate::currentDate());
    conditions.SetTag(PositionTerm);
    ok = Save(conditions, out + "/statistics-conditions.png") && ok;
    return ok;
}
