// calllog-gen DIR ROWS [FIRST_DATE [DAYS]]: appends a generated call log to the
// data directory DIR (for load measurements and trying the reports by hand).
#include "CallLogGenerator.h"

#include "core/DataStore.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() < 2 || args.size() > 4) {
        err << "usage: calllog-gen DIR ROWS [FIRST_DATE yyyy-MM-dd [DAYS]]" << Qt::endl;
        return 2;
    }
    TCallLogPlan plan;
    bool ok = false;
    plan.Rows = args[1].toLongLong(&ok);
    plan.First = args.size() > 2 ? QDate::fromString(args[2], QStringLiteral("yyyy-MM-dd"))
                                 : QDate::currentDate().addDays(-plan.Days + 1);
    if (args.size() > 3)
        plan.Days = args[3].toInt(&ok);
    if (!ok || plan.Rows <= 0 || !plan.First.isValid() || plan.Days <= 0) {
        err << "calllog-gen: bad ROWS, FIRST_DATE or DAYS" << Qt::endl;
        return 2;
    }
    plan.NumbersFrom = plan.First.addDays(plan.Days / 2);
    TDM_Sys store;
    QString error;
    if (!store.Open(args[0], &error) || !GenerateCallLog(store, plan, &error)) {
        err << "calllog-gen: " << error << Qt::endl;
        return 1;
    }
    return 0;
}
