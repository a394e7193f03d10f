#include "reports/HistoryModel.h"

#include "core/Paths.h"
#include "reports/Deliver.h"
#include "reports/HistoryColumns.h"
#include "reports/TableSink.h"

#include <QMetaObject>

namespace {

// Keys counted per piece: a piece holds the call log for a few milliseconds only.
constexpr int CountPiece = 4096;

}  // namespace

THistoryModel::THistoryModel(const QString& dataDir, const TStateTexts& texts, QObject* parent)
    : QAbstractTableModel(parent), texts_(texts), worker_(std::make_unique<TStoreWorker>(dataDir))
{
}

THistoryModel::~THistoryModel()
{
    if (cancel_)
        *cancel_ = true;
    worker_.reset();   // no job reports to this model any more
}

void THistoryModel::Run(const THistoryQuery& query)
{
    if (cancel_)
        *cancel_ = true;
    beginResetModel();
    query_ = query;
    ++generation_;
    cancel_ = NewCancelFlag();
    rows_ = 0;
    counted_ = 0;
    counting_ = true;
    error_.clear();
    pageStarts_.clear();
    pages_.clear();
    requested_.clear();
    endResetModel();
    RequestPage(0);
    PostCount(generation_, nullptr);
}

void THistoryModel::PostCount(quint64 generation, std::shared_ptr<THistoryKey> after)
{
    TStoreWorker* worker = worker_.get();
    worker->Post([this, worker, generation, after, query = query_, cancel = cancel_](TDM_Sys& store) {
        if (*cancel || worker->Stopping())
            return;
        THistoryReader reader(store, query);
        std::vector<THistoryKey> keys;
        QString error;
        if (!reader.Keys(after.get(), CountPiece, keys, &error)) {
            Deliver(this, [this, generation, error] { Fail(generation, error); });
            return;
        }
        const bool complete = keys.size() < CountPiece;
        if (!complete) {
            // The next piece queues behind the pages the view is waiting for.
            auto next = std::make_shared<THistoryKey>(keys.back());
            Deliver(this, [this, generation, keys, next] {
                Counted(generation, keys, false);
                if (generation == generation_)
                    PostCount(generation, next);
            });
        } else {
            Deliver(this, [this, generation, keys] { Counted(generation, keys, true); });
        }
    });
}

void THistoryModel::Counted(quint64 generation, const std::vector<THistoryKey>& keys, bool complete)
{
    if (generation != generation_)
        return;
    for (size_t i = 0; i < keys.size(); ++i)
        if ((counted_ + static_cast<int>(i)) % PageRows == 0)
            pageStarts_.push_back(keys[i]);
    counted_ += static_cast<int>(keys.size());
    GrowTo(counted_);
    if (complete)
        counting_ = false;
    emit CountChanged(rows_, complete);
}

void THistoryModel::GrowTo(int rows)
{
    if (rows <= rows_)
        return;
    beginInsertRows(QModelIndex(), rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
}

void THistoryModel::Fail(quint64 generation, const QString& error)
{
    if (generation != generation_ || !error_.isEmpty())
        return;
    error_ = error;
    counting_ = false;
    emit ReadFailed(error);
}

void THistoryModel::RequestPage(int page) const
{
    if (requested_.count(page) || (page > 0 && page >= static_cast<int>(pageStarts_.size())))
        return;
    requested_.insert(page);
    auto from = page > 0 ? std::make_shared<THistoryKey>(pageStarts_[page]) : nullptr;
    auto* self = const_cast<THistoryModel*>(this);
    const quint64 generation = generation_;
    worker_->PostFirst([self, generation, page, from, query = query_, cancel = cancel_](TDM_Sys& store) {
        if (*cancel)
            return;
        THistoryReader reader(store, query);
        std::vector<THistoryRow> rows;
        QString error;
        if (!reader.Rows(from.get(), true, PageRows, rows, &error)) {
            Deliver(self, [self, generation, error] { self->Fail(generation, error); });
            return;
        }
        Deliver(self, [self, generation, page, rows = std::move(rows)]() mutable {
            self->PageRead(generation, page, std::move(rows));
        });
    });
}

void THistoryModel::PageRead(quint64 generation, int page, std::vector<THistoryRow> rows)
{
    if (generation != generation_)
        return;
    requested_.erase(page);
    TPage& p = pages_[page];
    p.Cells.clear();
    for (const THistoryRow& row : rows)
        p.Cells.push_back(HistoryCells(row.Stored, texts_));
    p.LastUse = ++useClock_;
    while (pages_.size() > CachedPages) {
        auto oldest = pages_.begin();
        for (auto it = pages_.begin(); it != pages_.end(); ++it)
            if (it->second.LastUse < oldest->second.LastUse)
                oldest = it;
        pages_.erase(oldest);
    }
    const int first = page * PageRows;
    GrowTo(first + static_cast<int>(rows.size()));
    if (!rows.empty())
        emit dataChanged(index(first, 0), index(std::min(first + static_cast<int>(rows.size()), rows_) - 1,
                                                 HistoryColumnCount - 1));
    if (page == 0)
        emit FirstPageShown();
}

int THistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int THistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : HistoryColumnCount;
}

std::vector<QVariant> THistoryModel::Cells(int row) const
{
    const int page = row / PageRows;
    const auto it = pages_.find(page);
    if (it == pages_.end()) {
        RequestPage(page);
        return {};
    }
    it->second.LastUse = ++useClock_;
    const int at = row % PageRows;
    return at < static_cast<int>(it->second.Cells.size()) ? it->second.Cells[at] : std::vector<QVariant>();
}

QVariant THistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= HistoryColumnCount)
        return QVariant();
    const THistoryColumn& column = HistoryColumns()[index.column()];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(column.RightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    const std::vector<QVariant> cells = Cells(index.row());
    return cells.empty() ? QVariant() : CellText(column.Kind, cells[index.column()], DisplayDateFormat);
}

QVariant THistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= HistoryColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return HistoryTitles().at(section);
}

void THistoryModel::Export(std::shared_ptr<ITableSink> sink, const QString& sheetName, const TCancelFlag& cancel,
                           std::function<void(int)> progress, std::function<void(TExportResult, const QString&)> done)
{
    TStoreWorker* worker = worker_.get();
    worker->Post([this, worker, sink, sheetName, cancel, progress, done, query = query_, texts = texts_](TDM_Sys& store) {
        QString error;
        const TExportResult result = WriteHistory(store, query, texts, *sink, sheetName, [&](int rows) {
            Deliver(this, [progress, rows] { progress(rows); });
            return !*cancel && !worker->Stopping();
        }, &error);
        Deliver(this, [done, result, error] { done(result, error); });
    });
}
