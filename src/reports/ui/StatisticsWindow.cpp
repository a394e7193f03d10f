#include "reports/ui/StatisticsWindow.h"

#include "core/Environment.h"
#include "core/PostTo.h"
#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "core/ui/ProgressRun.h"
#include "core/ui/StationDialog.h"
#include "reports/ConditionLists.h"
#include "reports/TableSink.h"
#include "reports/ui/ChartWindow.h"
#include "reports/ui/ExportFile.h"
#include "reports/ui/StatPrint.h"
#include "reports/ui/StatTerm.h"

#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int Caption = 1500;
constexpr int ColumnWidth = 127;
constexpr int RowHeight = 18;

}  // namespace

TFrm_Statistics::TFrm_Statistics(QWidget* parent, TDM_Sys& store, const TLayOutTree& tree, const QDate& today,
                                 const TEnvironment& env)
    : QDialog(parent),
      SGrd_Result(new QTableWidget(this)),
      Pmnu_Result(new QMenu(this)),
      store_(store),
      tree_(tree),
      today_(today),
      formats_(env.Formats),
      worker_(std::make_unique<TStoreWorker>(env.DataDir))
{
    setObjectName(QStringLiteral("Frm_Statistics"));
    SetupStationDialog(this, Caption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(920, 420);   // room for the seven columns of the response-time report
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SGrd_Result);

    SGrd_Result->setObjectName(QStringLiteral("SGrd_Result"));
    SGrd_Result->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGrd_Result->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGrd_Result->setSelectionMode(QAbstractItemView::SingleSelection);
    SGrd_Result->verticalHeader()->hide();
    SGrd_Result->verticalHeader()->setDefaultSectionSize(RowHeight);
    SGrd_Result->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    SGrd_Result->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    SGrd_Result->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SGrd_Result, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { Pmnu_Result->popup(SGrd_Result->viewport()->mapToGlobal(at)); });
    BuildMenu();
    report_.Grid = EmptyStatGrid();
    ShowReport(report_);
}

TFrm_Statistics::~TFrm_Statistics()
{
    worker_.reset();   // no job reports to this window any more
}

void TFrm_Statistics::AddReportItem(QMenu* menu, int textId, TReportKind kind, int tag, TResponseGroup by)
{
    menu->addAction(LoadResStr(textId), this, [this, kind, tag, by] {
        TReportRequest request;
        request.Kind = kind;
        request.Today = today_;
        request.By = by;
        if (tag == 0 || AskConditions(tag, request))
            RunStatReport(request);
    });
}

void TFrm_Statistics::BuildMenu()
{
    QMenu* staff = Pmnu_Result->addMenu(LoadResStr(1501));
    AddReportItem(staff, 1503, TReportKind::StaffToday);
    AddReportItem(staff, 1504, TReportKind::StaffWeek);
    AddReportItem(staff, 1505, TReportKind::StaffMonth);
    AddReportItem(staff, 1506, TReportKind::StaffConditions, StaffTerm);
    QMenu* position = Pmnu_Result->addMenu(LoadResStr(1502));
    AddReportItem(position, 1503, TReportKind::PositionToday);
    AddReportItem(position, 1504, TReportKind::PositionWeek);
    AddReportItem(position, 1505, TReportKind::PositionMonth);
    AddReportItem(position, 1506, TReportKind::PositionConditions, PositionTerm);
    QMenu* summaries = Pmnu_Result->addMenu(LoadResStr(1507));
    AddReportItem(summaries, 1508, TReportKind::Yearly, YearTerm);
    AddReportItem(summaries, 1509, TReportKind::Monthly, MonthTerm);
    QMenu* response = Pmnu_Result->addMenu(LoadResStr(3100));
    AddReportItem(response, 3101, TReportKind::Response, PeriodTerm, TResponseGroup::Staff);
    AddReportItem(response, 3102, TReportKind::Response, PeriodTerm, TResponseGroup::Position);
    AddReportItem(response, 3103, TReportKind::Response, PeriodTerm, TResponseGroup::Hour);
    Pmnu_Result->addSeparator();
    Mnu_CallChart = Pmnu_Result->addAction(LoadResStr(1510), this, [this] { ShowChart(Mnu_CallChart); });
    Mnu_RateChart = Pmnu_Result->addAction(LoadResStr(1511), this, [this] { ShowChart(Mnu_RateChart); });
    Pmnu_Result->addSeparator();
    Mnu_Export = Pmnu_Result->addAction(LoadResStr(1512), this, &TFrm_Statistics::Mnu_ExportClick);
    Mnu_Print = Pmnu_Result->addAction(LoadResStr(1513), this, [this] { RunStatPrintPreview(this, report_); });
    for (QAction* a : {Mnu_CallChart, Mnu_RateChart, Mnu_Export, Mnu_Print})
        a->setEnabled(false);
}

bool TFrm_Statistics::AskConditions(int tag, TReportRequest& request)
{
    if (!term_) {
        QString error;
        const QStringList staff = StaffNames(store_, &error);
        if (!error.isEmpty())
            ShowError(this, LoadResStr(3121).arg(error));
        term_ = new TFrm_StatTerm(this, tree_, staff, today_, formats_.Picker);
    }
    term_->SetTag(tag);
    if (term_->exec() != QDialog::Accepted)
        return false;
    term_->StoreConditions(request);
    return true;
}

void TFrm_Statistics::RunStatReport(const TReportRequest& request, const std::function<void(bool)>& done)
{
    auto* progress = new TProgressRun(this, LoadResStr(3117), 0);
    TReportRequest shown = request;
    shown.DateFormat = formats_.Display;
    worker_->Post([this, request = std::move(shown), cancel = progress->Cancel(), progress, done](TDM_Sys& store) {
        auto report = std::make_shared<TStatReport>();
        QString error;
        const bool ok = RunReport(store, request, *report, &error, cancel);
        PostTo(this, [this, ok, report, error, progress, cancel, done] {
            progress->Finish();
            if (ok)
                ShowReport(*report);
            else if (!*cancel)
                ShowError(this, LoadResStr(3121).arg(error));
            if (done)
                done(ok);
        });
    });
}

void TFrm_Statistics::ShowReport(const TStatReport& report)
{
    report_ = report;
    const TStatGrid& grid = report_.Grid;
    if (!report_.Caption.isEmpty()) {
        setWindowTitle(report_.Caption);
        // Export and print follow any report; the charts need groups of a pass-rate report.
        const bool passRates = grid.ColumnCount() == 5;
        Mnu_Export->setEnabled(true);
        Mnu_Print->setEnabled(true);
        Mnu_CallChart->setEnabled(passRates && grid.GroupCount() > 0);
        Mnu_RateChart->setEnabled(passRates && grid.GroupCount() > 0);
    }
    SGrd_Result->clear();
    SGrd_Result->setColumnCount(grid.ColumnCount());
    SGrd_Result->setRowCount(std::max(1, grid.RowCount() - 1));
    QStringList titles;
    for (int c = 0; c < grid.ColumnCount(); ++c)
        titles << grid.Text(0, c, report_.DateFormat);
    SGrd_Result->setHorizontalHeaderLabels(titles);
    SGrd_Result->horizontalHeader()->setVisible(!report_.Caption.isEmpty());
    for (int r = 1; r < grid.RowCount(); ++r) {
        for (int c = 0; c < grid.ColumnCount(); ++c) {
            auto* item = new QTableWidgetItem(grid.Text(r, c, report_.DateFormat));
            // Figures right-aligned, so that their places stand under one another.
            const TCellKind kind = grid.Kinds[c];
            if (kind == TCellKind::Integer || kind == TCellKind::Rate || kind == TCellKind::Duration)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            SGrd_Result->setItem(r - 1, c, item);
        }
    }
}

void TFrm_Statistics::ShowChart(QAction* item)
{
    TFrm_Chart chart(this);
    chart.ShowReport(report_, item == Mnu_RateChart ? TChartKind::Rates : TChartKind::CallsAndTimeOuts, item->text());
    chart.exec();
}

void TFrm_Statistics::Mnu_ExportClick()
{
    const QString path = ChooseExportFile(this, LoadResStr(1512), QString());
    if (path.isEmpty())
        return;
    ExportTo(path, [this, path](bool ok) {
        if (ok)
            ShowExported(this, path, false);
    });
}

void TFrm_Statistics::ExportTo(const QString& path, const std::function<void(bool)>& done)
{
    auto* progress = new TProgressRun(this, LoadResStr(3116), 0);
    worker_->Post([this, path, report = report_, progress, done](TDM_Sys&) {
        QString error;
        const bool ok = WriteStatReport(report, *NewXlsxSink(path, report.DateFormat), &error);
        PostTo(this, [this, ok, path, error, progress, done] {
            progress->Finish();
            if (!ok)
                ShowError(this, LoadResStr(3118).arg(QDir::toNativeSeparators(path), error));
            if (done)
                done(ok);
        });
    });
}

void RunStatistics(QWidget* parent, TDM_Sys& store, const TLayOutTree& tree, const QDate& today,
                   const TEnvironment& env)
{
    TFrm_Statistics window(parent, store, tree, today, env);
    window.exec();
}
