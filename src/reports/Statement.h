#pragma once
// A statement and the values bound to its '?' placeholders, in order.
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <functional>
#include <vector>

struct TStatement {
    QString Sql;
    QVariantList Values;
};

// The stored form of a call date: yyyy-MM-dd text, whose order is the dates' order.
QString StoredDate(const class QDate& date);

// A statement's rows, each row's fields in select-list order.
using TStatementRows = std::vector<std::vector<QVariant>>;
// Runs a statement on one database (the station's call log, the chain's central server) and
// hands back its rows; false with the reason. The reports run through one, so a rule lives once.
using TRunStatement = std::function<bool(const TStatement& statement, TStatementRows& rows, QString* error)>;

class TDM_Sys;
// Statements on the station's own call log.
TRunStatement StoreStatements(TDM_Sys& store);
