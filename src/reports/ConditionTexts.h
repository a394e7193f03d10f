#pragma once
// The conditions of the history and the reports as given in text, on the command line or in
// a web address: one set of rules and messages for both. A message names a condition as its
// caller spells it ("--from" on the command line, "from" in a web address).
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

struct THistoryQuery;
struct TReportRequest;

class TConditionTexts {
public:
    // shown: how a message names a condition, from its name as the commands take it.
    explicit TConditionTexts(std::function<QString(const QString& name)> shown);

    void Add(const QString& name, const QString& value);   // a later value replaces an earlier one
    bool IsSet(const QString& name) const;
    QString Value(const QString& name) const;
    QStringList Names() const;                             // in the order first given
    QString Shown(const QString& name) const { return shown_(name); }

private:
    std::function<QString(const QString&)> shown_;
    std::vector<std::pair<QString, QString>> given_;
};

// Each reader fills its record and returns the one-line message of the first bad or
// unknown condition, nothing when every condition is good.

// The history's conditions (from, to, area, position, type, server, state, handler,
// service-time) over the defaults of today.
std::optional<QString> ReadHistoryConditions(const TConditionTexts& given, const QDate& today, THistoryQuery& query);

// Whether report names one of staff, position, monthly, yearly, response, sites (the last
// across the chain's sites only).
bool IsReportName(const QString& report);
// A report's conditions (period, from, to, staff, area, position, month, year, by, as the
// report takes them) over the periods of today; r's date format is kept.
std::optional<QString> ReadReportConditions(const QString& report, const TConditionTexts& given, const QDate& today,
                                            TReportRequest& request);
