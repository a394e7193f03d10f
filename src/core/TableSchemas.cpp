#include "core/TableSchemas.h"

#include <QStringList>

namespace {

const QString Int = QStringLiteral("INTEGER");
const QString Text = QStringLiteral("TEXT");

std::vector<TTableSchema> BuildSchemas()
{
    return {
        {QStringLiteral("CallInfo"),
         {{"CallDate", Text}, {"CallTime", Text}, {"CallArea", Text}, {"CallDesktop", Text},
          {"CallType", Text}, {"ServerPersonnel", Text}, {"ProcTime", Text}, {"ProcPersonnel", Text},
          {"ServerTime", Int}, {"ServerState", Int}, {"UserNumber", Text}},
         QStringLiteral("CallDate")},
        {QStringLiteral("Waiter"),
         {{"Number", Text}, {"Name", Text}, {"Phone", Text}, {"Sex", Int}, {"CancelAddr", Int},
          {"Remark", Text}},
         QStringLiteral("Number")},
        {QStringLiteral("DutyTable"),
         {{"Number", Text}, {"Name", Text}, {"STime", Text}, {"ETime", Text}, {"Addr", Int}},
         QString()},
        {QStringLiteral("Operate"),
         {{"Name", Text}, {"Password", Text}, {"Popedom", Int}, {"Sex", Int}, {"Duty", Text}},
         QStringLiteral("Name")},
        {QStringLiteral("LayOutName"), {{"SN", Int}, {"Name", Text}, {"Memo", Text}}, QStringLiteral("SN")},
        // Indexed on LayOut alone: the points of a layout must come back in the order they were written.
        {QStringLiteral("LayOutPoint"),
         {{"Address", Int}, {"LayOut", Int}, {"Name", Text}, {"Shape", Int}, {"BkColor", Int},
          {"XPos", Int}, {"YPos", Int}, {"TxtPos", Int}, {"Width", Int}, {"Height", Int},
          {"Memo", Text}},
         QStringLiteral("LayOut")},
        {QStringLiteral("StatYear"),
         {{"StatYear", Int}, {"StatMonth", Int}, {"Total", Int}, {"TimeOut", Int}},
         QString()},
    };
}

}  // namespace

const std::vector<TTableSchema>& TableSchemas()
{
    static const std::vector<TTableSchema> schemas = BuildSchemas();
    return schemas;
}

const TTableSchema* FindTableSchema(const QString& table)
{
    for (const TTableSchema& s : TableSchemas()) {
        if (s.Name.compare(table, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

QString QuotedIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CreateTableStatement(const TTableSchema& table)
{
    QStringList columns;
    for (const TColumnDef& c : table.Columns)
        columns << QuotedIdentifier(c.Name) + QLatin1Char(' ') + c.Type;
    const QString name = QuotedIdentifier(table.Name);
    return QStringLiteral("create table if not exists %1.%1 (%2)").arg(name, columns.join(QStringLiteral(", ")));
}

QString CreateIndexStatement(const TTableSchema& table)
{
    if (table.IndexColumn.isEmpty())
        return QString();
    return QStringLiteral("create index if not exists %1.%2 on %3 (%4)")
        .arg(QuotedIdentifier(table.Name), QuotedIdentifier(table.Name + QLatin1Char('_') + table.IndexColumn),
             QuotedIdentifier(table.Name), QuotedIdentifier(table.IndexColumn));
}
