#include "reports/HistoryModel.h"

#include "core/PostTo.h"
#include "reports/HistoryColumns.h"
#include "reports/TableSink.h"

THistoryModel::THistoryModel(const QString& dataDir, const TStateTexts& texts, const QString& dateFormat,
                             QObject* parent)
    : QAbstractTableModel(parent), texts_(texts), dateFormat_(dateFormat), worker_(std::make_unique<TStoreWorker>(dataDir))
{
}

THistoryModel::~THistoryModel()
{
    CancelReads();
    worker_.reset();   // no job reports to this model any more
}

void THistoryModel::CancelReads()
{
    worker_->Cancel(cancel_);
    for (const auto& [page, request] : requested_)
        worker_->Cancel(request.Cancel);
    requested_.clear();
}

void THistoryModel::Run(const THistoryQuery& query)
{
    CancelReads();
    beginResetModel();
    query_ = query;
    ++generation_;
    cancel_ = NewCancelFlag();
    rows_ = 0;
    counted_ = 0;
    counting_ = true;
    error_.clear();
    chunkStarts_.clear();
    pages_.clear();
    endResetModel();
    RequestPage(0);
    PostCount(worker_.get(), this, generation_, query_, cancel_, nullptr);
}

void THistoryModel::PostCount(TStoreWorker* worker, THistoryModel* self, quint64 generation, const THistoryQuery& query,
                              const TCancelFlag& cancel, std::shared_ptr<THistoryKey> start)
{
    worker->Post([self, worker, generation, start, query, cancel](TDM_Sys& store) {
        if (*cancel || worker->Stopping())
            return;
        THistoryReader reader(store, query);
        std::vector<THistoryKey> starts;
        THistoryKey from = start ? *start : THistoryKey{};
        bool any = static_cast<bool>(start);
        QString error;
        bool ok = true;
        if (!any) {
            ok = reader.KeyAt(nullptr, 0, from, any, &error);
            if (ok && any)
                starts.push_back(from);
        }
        // The engine steps over a chunk's rows without handing them out.
        THistoryKey next;
        bool found = false;
        int rows = 0;
        if (ok && any) {
            ok = reader.KeyAt(&from, ChunkRows, next, found, &error);
            if (ok && found)
                rows = ChunkRows;
            else if (ok)
                ok = reader.CountFrom(&from, ChunkRows, rows, &error);
        }
        if (!ok) {
            // Interrupted because the run was given up: nothing to report.
            if (!*cancel)
                PostTo(self, [self, generation, error] { self->Fail(generation, error); });
            return;
        }
        if (found) {
            starts.push_back(next);
            // The next chunk queues behind the pages the view is waiting for.
            PostCount(worker, self, generation, query, cancel, std::make_shared<THistoryKey>(next));
        }
        PostTo(self, [self, generation, starts, rows, complete = !found] { self->Counted(generation, starts, rows, complete); });
    }, cancel);
}

void THistoryModel::Counted(quint64 generation, const std::vector<THistoryKey>& chunkStarts, int rows, bool complete)
{
    if (generation != generation_)
        return;
    chunkStarts_.insert(chunkStarts_.end(), chunkStarts.begin(), chunkStarts.end());
    counted_ += rows;
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
    constexpr int pagesPerChunk = ChunkRows / PageRows;
    const int chunk = page / pagesPerChunk;
    if (requested_.count(page) || (page > 0 && chunk >= static_cast<int>(chunkStarts_.size())))
        return;
    if (static_cast<int>(requested_.size()) >= PendingPages) {
        const auto oldest = std::min_element(requested_.begin(), requested_.end(), [](const auto& a, const auto& b) {
            return a.second.Order < b.second.Order;
        });
        worker_->Cancel(oldest->second.Cancel);
        requested_.erase(oldest);
    }
    const TCancelFlag cancel = NewCancelFlag();
    requested_[page] = {cancel, ++useClock_};
    auto from = page > 0 ? std::make_shared<THistoryKey>(chunkStarts_[chunk]) : nullptr;
    const int skip = page > 0 ? (page % pagesPerChunk) * PageRows : 0;
    auto* self = const_cast<THistoryModel*>(this);
    const quint64 generation = generation_;
    worker_->PostFirst([self, generation, page, from, skip, query = query_, cancel, texts = texts_](TDM_Sys& store) {
        THistoryReader reader(store, query);
        std::vector<THistoryRow> rows;
        QString error;
        if (!reader.Rows(from.get(), true, PageRows, rows, &error, skip)) {
            if (!*cancel)
                PostTo(self, [self, generation, error] { self->Fail(generation, error); });
            return;
        }
        // The cells are made here, so the window thread only stores them.
        TCells cells;
        cells.reserve(rows.size());
        for (const THistoryRow& row : rows)
            cells.push_back(HistoryCells(row.Stored, texts));
        PostTo(self, [self, generation, page, cancel, cells = std::move(cells)]() mutable {
            self->PageRead(generation, page, cancel, std::move(cells));
        });
    }, cancel);
}

void THistoryModel::PageRead(quint64 generation, int page, const TCancelFlag& request, TCells cells)
{
    if (generation != generation_)
        return;
    const auto it = requested_.find(page);
    if (it != requested_.end() && it->second.Cancel == request)
        requested_.erase(it);
    const int count = static_cast<int>(cells.size());
    TPage& p = pages_[page];
    p.Cells = std::move(cells);
    p.LastUse = ++useClock_;
    while (pages_.size() > CachedPages) {
        auto oldest = pages_.begin();
        for (auto it = pages_.begin(); it != pages_.end(); ++it)
            if (it->second.LastUse < oldest->second.LastUse)
                oldest = it;
        pages_.erase(oldest);
    }
    const int first = page * PageRows;
    GrowTo(first + count);
    if (count > 0)
        emit dataChanged(index(first, 0), index(std::min(first + count, rows_) - 1, HistoryColumnCount - 1));
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
    return cells.empty() ? QVariant() : CellText(column.Kind, cells[index.column()], dateFormat_);
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
    worker->Post([this, worker, sink, sheetName, cancel, progress, done, query = query_, texts = texts_,
                  dateFormat = dateFormat_](TDM_Sys& store) {
        QString error;
        const TExportResult result = WriteHistory(store, query, texts, dateFormat, *sink, sheetName, [&](int rows) {
            PostTo(this, [progress, rows] { progress(rows); });
            return !*cancel && !worker->Stopping();
        }, &error);
        PostTo(this, [done, result, error] { done(result, error); });
    });
}
