#pragma once
// The station's data store: one SQLite file per table in the data directory,
// reached through one connection that attaches every file, so a statement names
// tables (CallInfo, Waiter, ...) and a transaction may span several files.
#include "core/SqliteConnection.h"

#include <QDate>
#include <functional>
#include <QRecursiveMutex>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <utility>
#include <vector>

// Held around call-log inserts, duty lookups, the reopening of the roster
// queries and each item of a restore.
extern QRecursiveMutex DataMutex;

class TDM_Sys;

// One query handle: a statement with bound values; a select's rows are kept in
// memory so the handle can move over them, count and locate rows.
// Dates are bound and stored as yyyy-MM-dd, times as HH:mm:ss, booleans as 0/1.
class TQuery {
public:
    explicit TQuery(TDM_Sys& store);

    void SetSQL(const QString& sql);           // replaces the statement; clears bound values; closes
    void AddSQL(const QString& clause);        // appends " " + clause; closes
    QString SQL() const { return sql_; }
    void Bind(const QVariant& value);          // next positional '?' value
    void BindValue(const QString& placeholder, const QVariant& value);  // ":name" value

    bool Open();          // runs a select and keeps its rows; cursor on the first row
    void Close();
    bool Active() const { return active_; }
    bool ExecSQL();       // runs a statement that yields no rows

    void First();
    void Next();
    bool Eof() const;
    int RecordCount() const;
    int RecNo() const { return row_; }     // 0-based current row
    void MoveTo(int row);
    // From the first row, the first row whose column equals value ignoring case.
    // Found: the cursor moves there. Not found: the cursor stays.
    bool Locate(const QString& column, const QVariant& value);

    // Columns of the current row by name; null or missing reads as empty / 0 / false.
    bool FieldIsNull(const QString& column) const;
    QVariant Field(const QString& column) const;
    QString FieldAsString(const QString& column) const;
    int FieldAsInteger(const QString& column) const;
    bool FieldAsBoolean(const QString& column) const;
    QDate FieldAsDate(const QString& column) const;   // stored as yyyy-MM-dd
    QTime FieldAsTime(const QString& column) const;   // stored as HH:mm:ss
    QStringList FieldNames() const;

    // Editing the rows of an open "select * from Table ..." result, by the row's rowid.
    // Moving the cursor abandons an unposted change.
    void Insert();                                     // starts a new row (appended to the result)
    void Edit();                                       // starts changing the current row
    void SetField(const QString& column, const QVariant& value);
    bool Post();                                       // writes the new or changed row
    bool Delete();                                     // deletes the current row
    // The current row's rowid in an editable result: what identifies it through renames; -1 otherwise.
    qint64 RowId() const;

    QString LastError() const { return error_; }

private:
    bool Run(class QSqlQuery& q, const QString& statement);
    QString EditTable() const;
    bool Fail(const QString& message);
    int ColumnIndex(const QString& column) const;
    const QVariant* Cell(const QString& column) const;     // nullptr: no current row or no such column
    bool FetchRow(const QString& table, qint64 rowId, std::vector<QVariant>& values);
    bool PostChanges(const QString& table);

    TDM_Sys& store_;
    QString sql_;
    std::vector<QVariant> positional_;
    std::vector<std::pair<QString, QVariant>> named_;
    QStringList columns_;
    std::vector<QVariant> values_;     // the rows one after another, columns_.size() values each
    std::vector<qint64> rowIds_;       // each row's rowid when the result is editable
    int row_ = 0;
    bool active_ = false;
    enum class EditMode { None, Inserting, Editing } mode_ = EditMode::None;
    std::vector<std::pair<QString, QVariant>> pending_;   // columns assigned since Insert or Edit
    QString error_;
};

class TDM_Sys {
public:
    TDM_Sys();
    ~TDM_Sys();
    TDM_Sys(const TDM_Sys&) = delete;
    TDM_Sys& operator=(const TDM_Sys&) = delete;

    // Opens (creating when missing) every table file of dataDir with its schema.
    bool Open(const QString& dataDir, QString* error = nullptr);
    void Close();
    bool IsOpen() const;
    QSqlDatabase Database() const;
    QString DataDirectory() const { return dir_; }

    // Runs fn inside one transaction: committed when fn returns true, rolled back otherwise.
    // A call inside fn nests as a savepoint: its failure undoes only its own changes.
    bool InTransaction(const std::function<bool()>& fn, QString* error = nullptr);
    // A rewrite in one transaction (delete the rows, insert the edited ones) whose failing
    // statement puts its own message into why: on failure that message reaches error,
    // rather than the notice of the undone transaction.
    bool Rewrite(const std::function<bool(QString* why)>& fn, QString* error = nullptr);

    // Closes one table file so it can be replaced on disk, and opens it again
    // (creating the table when missing; a file holding other columns is refused).
    bool DetachTable(const QString& table, QString* error = nullptr);
    // failure, when given, receives the class of a failing statement (Busy: another program holds the file).
    bool AttachTable(const QString& table, QString* error = nullptr, TSqliteFailure* failure = nullptr);

    // The table names, each held in <DataDir>/<Name>.db.
    static const QStringList& TableNames();
    // Attaches the tables whose files were locked by another program when the store opened;
    // every statement tries this first, outside a transaction.
    void AttachPending();

    TQuery DQ_Set;
    TQuery DQ_SetExt;
    TQuery DQ_Call;
    TQuery DQ_Duty;
    TQuery DQ_User;

private:
    bool Exec(const QString& statement, const QVariantList& values, QString* error);
    bool CheckColumns(const QString& table, QString* error);

    TSqliteConnection connection_;
    QString dir_;
    int transactionDepth_ = 0;
    QStringList pending_;  // tables not attached yet: their files were locked at the opening
};
