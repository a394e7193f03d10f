#pragma once
// The station's data store: one SQLite file per table in the data directory,
// reached through one connection that attaches every file, so a statement names
// tables (CallInfo, Waiter, ...) and a transaction may span several files.
#include <QDate>
#include <functional>
#include <QRecursiveMutex>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QTime>
#include <QVariant>
#include <vector>

// Held around call-log inserts, duty lookups, the reopening of the roster
// queries and each item of a restore.
extern QRecursiveMutex DataMutex;

class TDM_Sys;

// One query handle: a statement with bound values; a select's rows are kept in
// memory so the handle can move over them, count and locate rows.
class TQuery {
public:
    explicit TQuery(TDM_Sys& store);

    void SetSQL(const QString& sql);           // replaces the statement; clears bound values; closes
    void AddSQL(const QString& clause);        // appends " " + clause
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
    void Insert();                                     // starts a new row
    void Edit();                                       // starts changing the current row
    void SetField(const QString& column, const QVariant& value);
    bool Post();                                       // writes the new or changed row
    bool Delete();                                     // deletes the current row

    QString LastError() const { return error_; }

private:
    bool Run(class QSqlQuery& q);
    QString EditTable() const;

    TDM_Sys& store_;
    QString sql_;
    std::vector<QVariant> positional_;
    std::vector<std::pair<QString, QVariant>> named_;
    std::vector<QSqlRecord> rows_;
    std::vector<qint64> rowIds_;
    int row_ = 0;
    bool active_ = false;
    enum class EditMode { None, Inserting, Editing } mode_ = EditMode::None;
    QSqlRecord pending_;
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
    bool InTransaction(const std::function<bool()>& fn, QString* error = nullptr);

    // Closes one table file so it can be replaced on disk, and opens it again.
    bool DetachTable(const QString& table);
    bool AttachTable(const QString& table, QString* error = nullptr);

    // The table names, each held in <DataDir>/<Name>.db.
    static const QStringList& TableNames();

    TQuery DQ_Set;
    TQuery DQ_SetExt;
    TQuery DQ_Call;
    TQuery DQ_Duty;
    TQuery DQ_User;

private:
    QString connection_;
    QString dir_;
};
