// station-load --data-dir DIR [--year YYYY] [--export-from D --export-to D] [--backup] OUTDIR:
// the headless station with the back office busy beside it, as the windows run
// it: the yearly summary and a history export to OUTDIR/history.xlsx, each on
// its own worker with its own connection, over and over, while the station
// handles its port on the window thread. With --backup instead: the backup
// window (off screen) writes a compressed backup of every item to
// OUTDIR/backup.dat, over and over. scripts/measure-latency-under-load
// measures the acknowledgements meanwhile.
#include "app/ConsoleEvents.h"
#include "app/SignalQuit.h"
#include "core/Clock.h"
#include "core/Config.h"
#include "core/Environment.h"
#include "core/PostTo.h"
#include "core/ui/Messages.h"
#include "maintenance/BackupItems.h"
#include "maintenance/ui/BackupDialog.h"
#include "reports/HistoryModel.h"
#include "reports/StatReports.h"
#include "reports/TableSink.h"
#include "station/Station.h"

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>

namespace {

// The backup window's closing messages, written to the console instead of shown; each
// starts the next backup.
class TConsoleMessages final : public TMessageSink {
public:
    explicit TConsoleMessages(std::function<void(const QString&)> shown) : shown_(std::move(shown)) {}
    QMessageBox::StandardButton Show(QWidget*, const TMessage& message) override
    {
        shown_(message.Text);
        return QMessageBox::Ok;
    }

private:
    std::function<void(const QString&)> shown_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.addOptions({{"data-dir", "Data directory.", "DIR"},
                  {"year", "Year of the yearly summary.", "YYYY", "2025"},
                  {"export-from", "First date of the exported history.", "D", "2025-01-01"},
                  {"export-to", "Last date of the exported history.", "D", "2025-03-14"},
                  {"backup", "Compressed backups from the backup window instead of the reports."}});
    p.addPositionalArgument("OUTDIR", "Where the export is written.");
    p.process(app);
    if (p.positionalArguments().size() != 1)
        p.showHelp(2);
    TEnvironment env = MakeEnvironment(p.value("data-dir"), true);
    const QString outDir = p.positionalArguments().first();

    SystemClock clock;
    TConsoleEvents console(env.Config);
    TConsoleSound sound(console, nullptr);
    TStation station(env, clock, sound, console);
    QString error;
    if (!station.Start(&error)) {
        console.Line("error   " + error);
        return 1;
    }
    console.Line(QStringLiteral("station running, data in %1, back office busy").arg(env.DataDir));
    OnTerminationSignal([&] {
        station.Close();
        app.quit();
    });

    if (p.isSet("backup")) {
        TFrm_Backup window(env.DataDir);
        for (int item = 0; item < BackupItemCount; ++item)
            window.Lst_Items->item(item)->setCheckState(Qt::Checked);
        window.Chk_Compress->setChecked(true);
        window.ChooseTarget = [&] { return QDir(outDir).filePath("backup.dat"); };
        window.show();
        QElapsedTimer backupTime;
        TConsoleMessages messages([&](const QString& text) {
            console.Line(QStringLiteral("load    backup %1 ms: %2").arg(backupTime.elapsed()).arg(text));
            QTimer::singleShot(0, &window, [&] {
                backupTime.start();
                window.Btn_StartClick();
            });
        });
        SetMessageSink(&messages);
        backupTime.start();
        window.Btn_StartClick();
        const int result = app.exec();
        SetMessageSink(nullptr);
        return result;
    }

    // The yearly summary, again and again, on its own worker.
    TStoreWorker summaries(env.DataDir);
    TReportRequest yearly;
    yearly.Kind = TReportKind::Yearly;
    yearly.Year = p.value("year").toInt();
    std::function<void()> summarise = [&] {
        summaries.Post([&](TDM_Sys& store) {
            QElapsedTimer t;
            t.start();
            TStatReport report;
            QString why;
            const bool ok = RunReport(store, yearly, report, &why);
            const qint64 ms = t.elapsed();
            PostTo(&app, [&, ok, ms, why] {
                console.Line(ok ? QStringLiteral("load    yearly summary %1 ms").arg(ms) : "load    yearly summary failed: " + why);
                summarise();
            });
        });
    };

    // The history export, again and again, through the history list's own worker.
    THistoryModel history(env.DataDir, env.StateTexts, env.Formats.Display);
    THistoryQuery query;
    query.SDate = QDate::fromString(p.value("export-from"), "yyyy-MM-dd");
    query.EDate = QDate::fromString(p.value("export-to"), "yyyy-MM-dd");
    history.Run(query);
    QElapsedTimer exportTime;
    int exported = 0;
    std::function<void()> exportAll = [&] {
        exportTime.start();
        history.Export(std::shared_ptr<ITableSink>(NewXlsxSink(QDir(outDir).filePath("history.xlsx"), env.Formats.Display)),
                       "历史呼叫记录", NewCancelFlag(), [&](int rows) { exported = rows; },
                       [&](TExportResult result, const QString& why) {
                           console.Line(result == TExportResult::Done
                                            ? QStringLiteral("load    export %1 rows %2 ms").arg(exported).arg(exportTime.elapsed())
                                            : "load    export failed: " + why);
                           exportAll();
                       });
    };
    summarise();
    exportAll();
    return app.exec();
}
