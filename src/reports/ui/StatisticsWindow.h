#pragma once
// The statistics window: a result grid filled by the report chosen from its
// popup menu, with charts, print-out and spreadsheet export of that grid.
// Reports and exports run on the window's own worker, off the window thread.
#include "reports/StatReports.h"
#include "reports/StoreWorker.h"

#include <QDialog>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QTableWidget;
class TDM_Sys;
class TFrm_StatTerm;
struct TEnvironment;
struct TLayOutTree;

class TFrm_Statistics final : public QDialog {
    Q_OBJECT
public:
    // store: the station's, for the staff list of the conditions dialog; today: the station's date;
    // env: the data directory and date formats, copied for the window and its worker.
    TFrm_Statistics(QWidget* parent, TDM_Sys& store, const TLayOutTree& tree, const QDate& today,
                    const TEnvironment& env);
    ~TFrm_Statistics() override;

    // Runs a report on the worker; the grid shows it when it is ready. done(ok) afterwards.
    void RunStatReport(const TReportRequest& request, const std::function<void(bool ok)>& done = {});
    // The conditions dialog for a report of that tag; true on OK, with its values in request.
    bool AskConditions(int tag, TReportRequest& request);
    // Exports the grid into path (already the .xlsx name); done(ok) when written.
    void ExportTo(const QString& path, const std::function<void(bool ok)>& done = {});

    const TStatReport& Report() const { return report_; }
    const QString& PeriodText() const { return report_.Period; }

    QTableWidget* SGrd_Result;
    QMenu* Pmnu_Result;
    QAction* Mnu_CallChart;
    QAction* Mnu_RateChart;
    QAction* Mnu_Export;
    QAction* Mnu_Print;

private:
    void BuildMenu();
    void ShowReport(const TStatReport& report);
    void ShowChart(QAction* item);
    void Mnu_ExportClick();
    // A menu item that runs a report (after the conditions dialog when tag is not 0).
    void AddReportItem(QMenu* menu, int textId, TReportKind kind, int tag = 0, TResponseGroup by = TResponseGroup::Staff);

    TDM_Sys& store_;
    const TLayOutTree& tree_;
    const QDate today_;
    const TDateFormats formats_;
    TStatReport report_;
    TFrm_StatTerm* term_ = nullptr;   // created on first use, kept while the window lives
    std::unique_ptr<TStoreWorker> worker_;
};

// The statistics function of the face button, modal.
void RunStatistics(QWidget* parent, TDM_Sys& store, const TLayOutTree& tree, const QDate& today,
                   const TEnvironment& env);
