#pragma once
// A statement and the values bound to its '?' placeholders, in order.
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

struct TStatement {
    QString Sql;
    QVariantList Values;
};

// The stored form of a call date: yyyy-MM-dd text, whose order is the dates' order.
QString StoredDate(const class QDate& date);
