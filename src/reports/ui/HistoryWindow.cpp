#include "reports/ui/HistoryWindow.h"

#include "core/Environment.h"
#include "core/ResStrings.h"
#include "core/ui/Messages.h"
#include "core/ui/ProgressRun.h"
#include "core/ui/StationDialog.h"
#include "operators/ui/CellTextDelegate.h"
#include "reports/HistoryColumns.h"
#include "reports/HistoryModel.h"
#include "reports/HistoryQuery.h"
#include "reports/TableSink.h"
#include "reports/ui/ExportFile.h"
#include "reports/ui/HistoryTerm.h"

#include <QDateTime>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int Caption = 1400;
constexpr int MenuCondition = 1405;
constexpr int MenuExport = 1406;

}  // namespace

TFrm_History::TFrm_History(QWidget* parent, TFrm_HistoryTerm& term, THistoryQuery& query, const TEnvironment& env)
    : QDialog(parent),
      SGrd_History(new QTableView(this)),
      Pmnu_History(new QMenu(this)),
      Lbl_Count(new QLabel(this)),
      term_(term),
      query_(query),
      dateFormat_(env.Formats.Display),
      model_(new THistoryModel(env.DataDir, env.StateTexts, env.Formats.Display, this))
{
    setObjectName(QStringLiteral("Frm_History"));
    SetupStationDialog(this, Caption);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(960, 560);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SGrd_History);
    layout->addWidget(Lbl_Count);

    SGrd_History->setObjectName(QStringLiteral("SGrd_History"));
    SGrd_History->setModel(model_);
    SGrd_History->setItemDelegate(new TCellTextDelegate(SGrd_History));
    SGrd_History->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGrd_History->setSelectionMode(QAbstractItemView::SingleSelection);
    SGrd_History->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGrd_History->setWordWrap(false);
    SGrd_History->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SGrd_History->verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 6);
    SGrd_History->verticalHeader()->hide();
    for (int c = 0; c < HistoryColumnCount; ++c)
        SGrd_History->setColumnWidth(c, HistoryColumns()[c].Width);

    Pmnu_History->addAction(LoadResStr(MenuCondition), this, &TFrm_History::Mnu_ConditionClick);
    Pmnu_History->addAction(LoadResStr(MenuExport), this, &TFrm_History::Mnu_ExportClick);
    SGrd_History->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SGrd_History, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { Pmnu_History->popup(SGrd_History->viewport()->mapToGlobal(at)); });

    connect(model_, &THistoryModel::CountChanged, this, &TFrm_History::ShowCount);
    connect(model_, &THistoryModel::ReadFailed, this,
            [this](const QString& error) { ShowError(this, LoadResStr(3119).arg(error)); });
}

void TFrm_History::QueryHistoryRecord()
{
    ShowCount(0, false);
    model_->Run(query_);
}

void TFrm_History::ShowCount(int rows, bool complete)
{
    Lbl_Count->setText(LoadResStr(complete ? 3115 : 3114).arg(rows));
}

void TFrm_History::Mnu_ConditionClick()
{
    if (term_.exec() != QDialog::Accepted)
        return;
    term_.StoreConditions(query_, QDate::currentDate());
    QueryHistoryRecord();
}

void TFrm_History::Mnu_ExportClick()
{
    const QString proposed = QStringLiteral("%1-%2.xlsx")
                                 .arg(LoadResStr(Caption), QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = ChooseExportFile(this, LoadResStr(MenuExport), QDir(folder).filePath(proposed));
    if (!path.isEmpty())
        ExportTo(path);
}

void TFrm_History::ExportTo(const QString& path, const std::function<void(TExportResult)>& done)
{
    const int expected = model_->Counting() ? 0 : model_->rowCount();
    auto* progress = new TProgressRun(this, LoadResStr(3116), expected);
    model_->Export(std::shared_ptr<ITableSink>(NewXlsxSink(path, dateFormat_)), windowTitle(), progress->Cancel(),
                   [progress](int rows) { progress->SetValue(rows); },
                   [this, progress, path, done](TExportResult result, const QString& error) {
                       progress->Finish();
                       if (result == TExportResult::Done)
                           ShowExported(this, path, true);
                       else if (result == TExportResult::WriteFailed)
                           ShowError(this, LoadResStr(3118).arg(QDir::toNativeSeparators(path), error));
                       else if (result == TExportResult::ReadFailed)
                           ShowError(this, LoadResStr(3119).arg(error));
                       if (done)
                           done(result);
                   });
}

void RunHistory(QWidget* parent, const TLayOutTree& tree, THistoryQuery& query, const TEnvironment& env)
{
    TFrm_HistoryTerm term(parent, tree, env);
    term.ShowConditions(query, QDate::currentDate());
    if (term.exec() != QDialog::Accepted)
        return;
    term.StoreConditions(query, QDate::currentDate());
    TFrm_History history(parent, term, query, env);
    history.QueryHistoryRecord();
    history.exec();
}
