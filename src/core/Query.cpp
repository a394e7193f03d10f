#include "core/DataStore.h"

#include "core/DateFormats.h"
#include "core/TableSchemas.h"

#include <QRegularExpression>
#include <algorithm>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString RowIdColumn = QStringLiteral("__rowid__");

// The stored form of a value: dates, times and booleans as the tables keep them.
QVariant Stored(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        return d.isValid() ? QVariant(d.toString(IsoDateFormat)) : QVariant();
    }
    case QMetaType::QTime: {
        const QTime t = value.toTime();
        return t.isValid() ? QVariant(t.toString(IsoTimeFormat)) : QVariant();
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? QVariant(dt.toString(IsoDateTimeFormat)) : QVariant();
    }
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}

bool IsNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return !value.isNull();
    default:
        return false;
    }
}

bool SameValueIgnoringCase(const QVariant& cell, const QVariant& wanted)
{
    if (IsNumber(wanted)) {
        bool ok = false;
        const double n = cell.toDouble(&ok);
        return !cell.isNull() && ok && n == wanted.toDouble();
    }
    return cell.toString().compare(wanted.toString(), Qt::CaseInsensitive) == 0;
}

// "select * from <Table> [where ...] [order by ...]": the one form whose rows can be edited.
const QRegularExpression& EditableSelect()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*select\s+\*\s+from\s+([A-Za-z_]\w*)((?:\s+(?:where|order|limit)\b.*)?)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return re;
}

}  // namespace

TQuery::TQuery(TDM_Sys& store) : store_(store) {}

void TQuery::SetSQL(const QString& sql)
{
    Close();
    sql_ = sql;
    positional_.clear();
    named_.clear();
}

void TQuery::AddSQL(const QString& clause)
{
    Close();
    sql_ += QLatin1Char(' ') + clause;
}

void TQuery::Bind(const QVariant& value)
{
    positional_.push_back(Stored(value));
}

void TQuery::BindValue(const QString& placeholder, const QVariant& value)
{
    for (auto& [name, v] : named_) {
        if (name == placeholder) {
            v = Stored(value);
            return;
        }
    }
    named_.emplace_back(placeholder, Stored(value));
}

bool TQuery::Fail(const QString& message)
{
    error_ = message;
    return false;
}

bool TQuery::Run(QSqlQuery& q, const QString& statement)
{
    error_.clear();
    if (!store_.IsOpen())
        return Fail(QStringLiteral("The data store is not open."));
    store_.AttachPending();
    q.setForwardOnly(true);
    if (!q.prepare(statement))
        return Fail(q.lastError().text());
    for (const QVariant& v : positional_)
        q.addBindValue(v);
    for (const auto& [name, v] : named_)
        q.bindValue(name, v);
    if (!q.exec())
        return Fail(q.lastError().text());
    return true;
}

QString TQuery::EditTable() const
{
    const QRegularExpressionMatch m = EditableSelect().match(sql_);
    return m.hasMatch() ? m.captured(1) : QString();
}

bool TQuery::Open()
{
    Close();
    const QRegularExpressionMatch editable = EditableSelect().match(sql_);
    const QString statement = editable.hasMatch()
        ? QStringLiteral("select rowid as %1, * from %2%3").arg(RowIdColumn, editable.captured(1), editable.captured(2))
        : sql_;
    QSqlQuery q(store_.Database());
    if (!Run(q, statement))
        return false;
    if (!q.isSelect())
        return Fail(QStringLiteral("The statement yields no rows: %1").arg(sql_));

    const QSqlRecord header = q.record();
    const int first = editable.hasMatch() ? 1 : 0;
    for (int i = first; i < header.count(); ++i)
        columns_ << header.fieldName(i);
    while (q.next()) {
        if (editable.hasMatch())
            rowIds_.push_back(q.value(0).toLongLong());
        for (int i = first; i < header.count(); ++i)
            values_.push_back(q.value(i));
    }
    if (q.lastError().isValid()) {
        const QString why = q.lastError().text();
        Close();
        return Fail(why);
    }
    active_ = true;
    return true;
}

void TQuery::Close()
{
    active_ = false;
    columns_.clear();
    values_.clear();
    rowIds_.clear();
    row_ = 0;
    mode_ = EditMode::None;
    pending_.clear();
}

bool TQuery::ExecSQL()
{
    QSqlQuery q(store_.Database());
    return Run(q, sql_);
}

void TQuery::First()
{
    MoveTo(0);
}

void TQuery::Next()
{
    MoveTo(row_ + 1);
}

bool TQuery::Eof() const
{
    return row_ >= RecordCount();
}

int TQuery::RecordCount() const
{
    return columns_.isEmpty() ? 0 : static_cast<int>(values_.size() / columns_.size());
}

void TQuery::MoveTo(int row)
{
    row_ = std::clamp(row, 0, RecordCount());
    mode_ = EditMode::None;
    pending_.clear();
}

bool TQuery::Locate(const QString& column, const QVariant& value)
{
    const int c = ColumnIndex(column);
    if (c < 0)
        return false;
    const QVariant wanted = Stored(value);
    const int width = static_cast<int>(columns_.size());
    for (int r = 0; r < RecordCount(); ++r) {
        if (SameValueIgnoringCase(values_[static_cast<size_t>(r * width + c)], wanted)) {
            MoveTo(r);
            return true;
        }
    }
    return false;
}

int TQuery::ColumnIndex(const QString& column) const
{
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const QVariant* TQuery::Cell(const QString& column) const
{
    const int c = ColumnIndex(column);
    if (c < 0 || Eof())
        return nullptr;
    return &values_[static_cast<size_t>(row_ * columns_.size() + c)];
}

bool TQuery::FieldIsNull(const QString& column) const
{
    const QVariant* v = Cell(column);
    return !v || v->isNull();
}

QVariant TQuery::Field(const QString& column) const
{
    const QVariant* v = Cell(column);
    return v ? *v : QVariant();
}

QString TQuery::FieldAsString(const QString& column) const
{
    return Field(column).toString();
}

int TQuery::FieldAsInteger(const QString& column) const
{
    return Field(column).toInt();
}

bool TQuery::FieldAsBoolean(const QString& column) const
{
    return Field(column).toBool();
}

QDate TQuery::FieldAsDate(const QString& column) const
{
    return QDate::fromString(FieldAsString(column).left(10), Qt::ISODate);
}

QTime TQuery::FieldAsTime(const QString& column) const
{
    return QTime::fromString(FieldAsString(column), Qt::ISODate);
}

QStringList TQuery::FieldNames() const
{
    return columns_;
}

void TQuery::Insert()
{
    mode_ = EditMode::Inserting;
    pending_.clear();
}

void TQuery::Edit()
{
    pending_.clear();
    mode_ = Eof() ? EditMode::None : EditMode::Editing;
}

void TQuery::SetField(const QString& column, const QVariant& value)
{
    for (auto& [name, v] : pending_) {
        if (name.compare(column, Qt::CaseInsensitive) == 0) {
            v = Stored(value);
            return;
        }
    }
    pending_.emplace_back(column, Stored(value));
}

bool TQuery::Post()
{
    error_.clear();
    const QString table = active_ ? EditTable() : QString();
    if (table.isEmpty())
        return Fail(QStringLiteral("Rows can only be written through an open \"select * from\" a table."));
    if (mode_ == EditMode::None)
        return Fail(QStringLiteral("No row is being inserted or edited."));
    if (!PostChanges(table))
        return false;
    mode_ = EditMode::None;
    pending_.clear();
    return true;
}

bool TQuery::PostChanges(const QString& table)
{
    QStringList assigned;
    QVariantList values;
    for (const auto& [name, v] : pending_) {
        const int c = ColumnIndex(name);
        if (c < 0)
            return Fail(QStringLiteral("The table %1 has no column %2.").arg(table, name));
        assigned << QuotedIdentifier(columns_[c]);
        values << v;
    }

    QString statement;
    if (mode_ == EditMode::Inserting) {
        statement = assigned.isEmpty()
            ? QStringLiteral("insert into %1 default values").arg(QuotedIdentifier(table))
            : QStringLiteral("insert into %1 (%2) values (%3)")
                  .arg(QuotedIdentifier(table), assigned.join(QStringLiteral(", ")),
                       QStringList(assigned.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    } else {
        if (assigned.isEmpty())
            return true;
        statement = QStringLiteral("update %1 set %2 = ? where rowid = ?")
                        .arg(QuotedIdentifier(table), assigned.join(QStringLiteral(" = ?, ")));
        values << rowIds_[static_cast<size_t>(row_)];
    }

    QSqlQuery q(store_.Database());
    if (!q.prepare(statement))
        return Fail(q.lastError().text());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return Fail(q.lastError().text());
    if (mode_ == EditMode::Editing && q.numRowsAffected() != 1)
        return Fail(QStringLiteral("The row was removed from %1 by someone else.").arg(table));

    const qint64 rowId = mode_ == EditMode::Inserting ? q.lastInsertId().toLongLong() : rowIds_[static_cast<size_t>(row_)];
    q.finish();
    std::vector<QVariant> fresh;
    if (!FetchRow(table, rowId, fresh))
        return false;
    if (mode_ == EditMode::Inserting) {
        values_.insert(values_.end(), fresh.begin(), fresh.end());
        rowIds_.push_back(rowId);
        row_ = RecordCount() - 1;
    } else {
        std::copy(fresh.begin(), fresh.end(), values_.begin() + static_cast<std::ptrdiff_t>(row_ * columns_.size()));
    }
    return true;
}

bool TQuery::FetchRow(const QString& table, qint64 rowId, std::vector<QVariant>& values)
{
    QSqlQuery q(store_.Database());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("select * from %1 where rowid = ?").arg(QuotedIdentifier(table))))
        return Fail(q.lastError().text());
    q.addBindValue(rowId);
    if (!q.exec() || !q.next())
        return Fail(q.lastError().isValid() ? q.lastError().text()
                                            : QStringLiteral("The written row is missing from %1.").arg(table));
    for (int i = 0; i < columns_.size(); ++i)
        values.push_back(q.value(i));
    return true;
}

qint64 TQuery::RowId() const
{
    return row_ >= 0 && static_cast<size_t>(row_) < rowIds_.size() ? rowIds_[static_cast<size_t>(row_)] : -1;
}

bool TQuery::Delete()
{
    error_.clear();
    const QString table = active_ ? EditTable() : QString();
    if (table.isEmpty())
        return Fail(QStringLiteral("Rows can only be deleted through an open \"select * from\" a table."));
    if (Eof())
        return Fail(QStringLiteral("There is no current row to delete."));
    mode_ = EditMode::None;
    pending_.clear();

    QSqlQuery q(store_.Database());
    if (!q.prepare(QStringLiteral("delete from %1 where rowid = ?").arg(QuotedIdentifier(table))))
        return Fail(q.lastError().text());
    q.addBindValue(rowIds_[static_cast<size_t>(row_)]);
    if (!q.exec())
        return Fail(q.lastError().text());

    const auto width = static_cast<std::ptrdiff_t>(columns_.size());
    values_.erase(values_.begin() + row_ * width, values_.begin() + (row_ + 1) * width);
    rowIds_.erase(rowIds_.begin() + row_);
    // Like a grid: the cursor stays on the row that moved up, or the new last row.
    row_ = std::max(0, std::min(row_, RecordCount() - 1));
    return true;
}
