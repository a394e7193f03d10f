#pragma once
// The history window: the calls found under the conditions, in a grid that
// reads its rows lazily off the window thread; its menu asks for the
// conditions again or exports the result to a spreadsheet.
#include "reports/HistoryExport.h"

#include <QDialog>

class QLabel;
class QMenu;
class QProgressDialog;
class QTableView;
class TFrm_HistoryTerm;
class THistoryModel;
struct TEnvironment;
struct THistoryQuery;

class TFrm_History final : public QDialog {
    Q_OBJECT
public:
    // term: the conditions dialog, shown again by "查询条件"; query: the run's conditions, kept
    // by the opener and changed by that dialog; env: the data directory, state texts and date
    // formats, copied for the model and its worker.
    TFrm_History(QWidget* parent, TFrm_HistoryTerm& term, THistoryQuery& query, const TEnvironment& env);

    // Runs the query of the run's conditions.
    void QueryHistoryRecord();
    THistoryModel& Model() { return *model_; }

    // The popup menu's actions.
    void Mnu_ConditionClick();
    void Mnu_ExportClick();
    // Exports into path (already the .xlsx name); done(result) when finished,
    // after which the file is opened with the desktop's program for it.
    void ExportTo(const QString& path, const std::function<void(TExportResult)>& done = {});

    QTableView* SGrd_History;
    QMenu* Pmnu_History;
    QLabel* Lbl_Count;

private:
    void ShowCount(int rows, bool complete);

    TFrm_HistoryTerm& term_;
    THistoryQuery& query_;
    const QString dateFormat_;
    THistoryModel* model_;
};

class QWidget;
struct TLayOutTree;
// The history function of the face button: conditions, then the history window; query is
// the opener's record of the conditions, each opening starting from the last.
void RunHistory(QWidget* parent, const TLayOutTree& tree, THistoryQuery& query, const TEnvironment& env);
