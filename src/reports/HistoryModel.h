#pragma once
// The history list as a lazily fetched model: the result is counted in pieces
// on a worker thread with its own connection, and rows are read a page at a
// time when the view shows them. Only a bounded number of pages stays in
// memory, whatever the size of the result; the window thread never reads the
// store itself.
#include "core/CancelFlag.h"
#include "core/Config.h"
#include "core/DateFormats.h"
#include "reports/HistoryExport.h"
#include "reports/HistoryReader.h"
#include "reports/StoreWorker.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <map>
#include <memory>

class ITableSink;

class THistoryModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int PageRows = 256;
    static constexpr int CachedPages = 64;     // about 16 000 rows at most in memory
    static constexpr int ChunkRows = 4096;     // the count keeps the key of every 4096th row
    // Pages asked for and not read yet; a page asked for beyond them gives up the
    // one asked for longest ago, so a fast scroll reads where it stops, not every
    // page it passed.
    static constexpr int PendingPages = 4;

    // dataDir: where the worker opens its own connection; texts and dateFormat: how states and
    // dates show. The model and its worker keep their own copies for their lifetime.
    THistoryModel(const QString& dataDir, const TStateTexts& texts, const QString& dateFormat = IsoDateFormat,
                  QObject* parent = nullptr);
    ~THistoryModel() override;

    // Runs the query anew: the old result, its counting and its reads are dropped
    // (a statement of theirs still running is interrupted).
    void Run(const THistoryQuery& query);
    const THistoryQuery& Query() const { return query_; }
    bool Counting() const { return counting_; }
    // The error of the last run's reads; empty when none.
    QString Error() const { return error_; }
    int CachedPageCount() const { return static_cast<int>(pages_.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The typed cells of a shown row; empty when its page is not read yet (it is then asked for).
    std::vector<QVariant> Cells(int row) const;

    // Writes the whole result of the current query to sink on the worker: the
    // titles, then every row. progress(rows written) and done(result, error) come
    // on this model's thread; cancel stops it and the sink leaves no file.
    void Export(std::shared_ptr<ITableSink> sink, const QString& sheetName, const TCancelFlag& cancel,
                std::function<void(int rows)> progress, std::function<void(TExportResult, const QString& error)> done);

signals:
    // The number of rows grew (counting) or the count is complete.
    void CountChanged(int rows, bool complete);
    void ReadFailed(const QString& error);
    // The first page arrived (rows 0..PageRows-1 can be shown).
    void FirstPageShown();

private:
    struct TPage {
        std::vector<std::vector<QVariant>> Cells;
        quint64 LastUse = 0;
    };

    using TCells = std::vector<std::vector<QVariant>>;
    struct TPageRequest {
        TCancelFlag Cancel;
        quint64 Order = 0;   // when it was asked for
    };
    void RequestPage(int page) const;
    void PageRead(quint64 generation, int page, const TCancelFlag& request, TCells cells);
    // Stops the current run's counting and page reads.
    void CancelReads();
    // Counts on from the chunk starting at start (the first row when null). Also
    // called on the worker, so it takes everything it needs as arguments.
    static void PostCount(TStoreWorker* worker, THistoryModel* self, quint64 generation, const THistoryQuery& query,
                          const TCancelFlag& cancel, std::shared_ptr<THistoryKey> start);
    void Counted(quint64 generation, const std::vector<THistoryKey>& chunkStarts, int rows, bool complete);
    void GrowTo(int rows);
    void Fail(quint64 generation, const QString& error);

    const TStateTexts texts_;
    const QString dateFormat_;
    THistoryQuery query_;
    quint64 generation_ = 0;      // results of an older run are dropped
    TCancelFlag cancel_;          // the current run's counting
    int rows_ = 0;
    bool counting_ = false;
    QString error_;
    std::vector<THistoryKey> chunkStarts_;  // the key of every ChunkRows-th row, as far as counted
    int counted_ = 0;
    mutable std::map<int, TPage> pages_;
    mutable std::map<int, TPageRequest> requested_;
    mutable quint64 useClock_ = 0;
    std::unique_ptr<TStoreWorker> worker_;  // last: stopped before the rest goes
};
