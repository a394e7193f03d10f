// The conditions dialogs, the history list, a staff report, both charts, the
// print preview, a response-time report and its print-out as PDF, a position
// chart where tables of two areas share a name, and the result messages of
// two exports grabbed from the whole screen (nothing may stand on top of them).
#include "ReportShots.h"
#include "Shots.h"

#include "core/DataStore.h"
#include "core/Environment.h"
#include "core/ResStrings.h"
#include "reports/HistoryModel.h"
#include "reports/HistoryQuery.h"
#include "reports/ui/ChartWindow.h"
#include "reports/ui/ExportFile.h"
#include "reports/ui/HistoryTerm.h"
#include "reports/ui/HistoryWindow.h"
#include "reports/ui/StatPrint.h"
#include "reports/ui/StatTerm.h"
#include "reports/ui/StatisticsWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
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

// Today's calls at tables whose names stand in both areas, one with a long name.
bool LogSharedTableNames(TDM_Sys& store)
{
    TQuery q(store);
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    for (const char* area : {"大厅", "包间"}) {
        for (const char* desk : {"A1", "靠窗的长条餐桌"}) {
            for (int state : {0, 0, 0, 1}) {
                q.SetSQL(QStringLiteral("insert into CallInfo (CallDate, CallTime, CallArea, CallDesktop, CallType, "
                                        "ServerPersonnel, ServerTime, ServerState) values (?, '12:00:00', ?, ?, '', '王芳', 30, ?)"));
                for (const QVariant& v : {QVariant(today), QVariant(QString::fromUtf8(area)), QVariant(QString::fromUtf8(desk)), QVariant(state)})
                    q.Bind(v);
                if (!q.ExecSQL())
                    return false;
            }
        }
    }
    return true;
}

// Runs start, which ends in a modal message, and saves the whole screen while that message is up.
bool SaveScreenWithMessage(const QString& path, const std::function<void()>& start)
{
    bool saved = false;
    QTimer grab;
    grab.setSingleShot(true);
    QObject::connect(&grab, &QTimer::timeout, [&] {
        saved = QGuiApplication::primaryScreen()->grabWindow(0).save(path);
        QTextStream(stdout) << (saved ? "saved " : "FAILED ") << path << Qt::endl;
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    grab.start(1500);
    start();
    Settle([&] { return !grab.isActive(); });
    return saved;
}

}  // namespace

bool SaveReportShots(const QString& out, TDM_Sys& store, const TLayOutTree& tree, const TEnvironment& env)
{
    bool ok = true;
    THistoryQuery query = DefaultHistoryQuery(QDate::currentDate());
    TFrm_HistoryTerm term(nullptr, tree, env);
    term.ShowConditions(query, QDate::currentDate());
    ok = Save(term, out + "/history-conditions.png") && ok;
    term.hide();

    query.SDate = QDate::currentDate().addDays(-6);
    TFrm_History history(nullptr, term, query, env);
    history.QueryHistoryRecord();
    history.show();
    Settle([&] { return !history.Model().Counting(); });
    ok = Save(history, out + "/history-window.png") && ok;
    history.hide();

    TFrm_Statistics statistics(nullptr, store, tree, QDate::currentDate(), env);
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
    ok = PrintStatReportToPdf(statistics.Report(), out + "/response-times-print.pdf") && ok;

    ok = LogSharedTableNames(store) && ok;
    ok = RunReport(statistics, TReportKind::PositionToday) && ok;
    TFrm_Chart shared(nullptr);
    shared.ShowReport(statistics.Report(), TChartKind::Rates, LoadResStr(1511));
    ok = Save(shared, out + "/chart-shared-table-names.png") && ok;
    shared.hide();

    // An export that works and one into a folder that cannot be written, with their messages as the operator sees them.
    statistics.move(40, 40);
    const QString written = out + "/statistics-export.xlsx";
    ok = SaveScreenWithMessage(out + "/export-done-message.png", [&] {
        statistics.ExportTo(written, [&](bool done) {
            if (done)
                ShowExported(&statistics, written, false);
        });
    }) && ok;
    ok = SaveScreenWithMessage(out + "/export-failed-message.png",
                               [&] { statistics.ExportTo(out + "/missing/statistics.xlsx"); }) && ok;
    statistics.hide();

    TFrm_StatTerm conditions(nullptr, tree, {"张三", "李四"}, QDate::currentDate(), env.Formats.Picker);
    conditions.SetTag(PositionTerm);
    ok = Save(conditions, out + "/statistics-conditions.png") && ok;
    return ok;
}
