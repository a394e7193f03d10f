// report-screenshots OUTDIR: the history and statistics windows over a sample
// restaurant with two months of generated calls: the conditions dialogs, the
// history list, a staff report, both charts, the print preview and a
// response-time report, saved as PNG files.
#include "CallLogGenerator.h"

#include "app/DemoRestaurant.h"
#include "core/Config.h"
#include "core/DataStore.h"
#include "core/Paths.h"
#include "core/ResStrings.h"
#include "layout/LayoutStore.h"
#include "reports/HistoryModel.h"
#include "reports/HistoryQuery.h"
#include "reports/ui/ChartWindow.h"
#include "reports/ui/HistoryTerm.h"
#include "reports/ui/HistoryWindow.h"
#include "reports/ui/StatPrint.h"
#include "reports/ui/StatTerm.h"
#include "reports/ui/StatisticsWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

namespace {

void Settle(const std::function<bool()>& until = [] { return true; })
{
    QElapsedTimer t;
    t.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    } while (!until() && t.elapsed() < 10000);
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool Save(QWidget& w, const QString& path)
{
    w.show();
    w.raise();
    Settle();
    const bool ok = w.grab().save(path);
    QTextStream(stdout) << (ok ? "saved " : "FAILED ") << path << Qt::endl;
    return ok;
}

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

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots")).absolutePath();
    QDir().mkpath(out);
    QTemporaryDir data;
    InitDataDir(data.path());
    InitDateFormats(true);
    TDM_Sys store;
    TLayOutTree tree;
    QString error;
    const TCallLogPlan plan{QDate::currentDate().addDays(-59), 60, 24000, 7, QDate::currentDate().addDays(-30)};
    if (!store.Open(DataDir, &error) || !SeedDemoRestaurant(store, ConfigPath, &error) || !GenerateCallLog(store, plan, &error)
        || !ReadSiteLayOutData(store, tree, &error)) {
        QTextStream(stderr) << "report-screenshots: " << error << Qt::endl;
        return 1;
    }
    ReadConfig(ConfigPath, Config, StateTexts);
    InitHistoryQuery(QDate::currentDate());

    bool ok = true;
    TFrm_HistoryTerm term(nullptr, tree);
    term.ShowConditions(HistoryQuery);
    ok = Save(term, out + "/history-conditions.png") && ok;
    term.hide();

    HistoryQuery.SDate = QDate::currentDate().addDays(-6);
    TFrm_History history(nullptr, term);
    history.QueryHistoryRecord();
    Settle([&] { return !history.Model().Counting(); });
    ok = Save(history, out + "/history-window.png") && ok;
    history.hide();

    TFrm_Statistics statistics(nullptr, store, tree, QDate::currentDate());
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
    ok = RunReport(statistics, TReportKind::Yearly) && ok;

    TFrm_StatTerm conditions(nullptr, tree, {"张三", "李四"}, QDate::currentDate());
    conditions.SetTag(PositionTerm);
    ok = Save(conditions, out + "/statistics-conditions.png") && ok;
    return ok ? 0 : 1;
}
