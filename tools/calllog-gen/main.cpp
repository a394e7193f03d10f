// calllog-gen DIR ROWS [FIRST_DATE [DAYS]] [--outbox]: appends a generated call log to the data
// directory DIR (for load measurements and trying the reports by hand); with --outbox the calls are
// logged as a station with a central server logs them, so they also wait in its outbox.
// calllog-gen --central CONNINFO [--sites N] [--calls N] [--days N] [--first DATE] [--seed N]: fills the
// chain's central database with the calls of N restaurants.
#include "CallLogGenerator.h"
#include "CentralFill.h"

#include "core/DataStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

const QCommandLineOption Outbox(QStringLiteral("outbox"), QStringLiteral("Also put the calls into the central outbox."));
const QCommandLineOption Central(QStringLiteral("central"), QStringLiteral("Fill this central server."), QStringLiteral("CONNINFO"));
const QCommandLineOption Sites(QStringLiteral("sites"), QStringLiteral("Restaurants (default 20)."), QStringLiteral("N"), QStringLiteral("20"));
const QCommandLineOption Calls(QStringLiteral("calls"), QStringLiteral("Calls of all restaurants (default 10000000)."),
                               QStringLiteral("N"), QStringLiteral("10000000"));
const QCommandLineOption Days(QStringLiteral("days"), QStringLiteral("Days the calls spread over (default 365)."),
                              QStringLiteral("N"), QStringLiteral("365"));
const QCommandLineOption First(QStringLiteral("first"), QStringLiteral("First day (default: DAYS days up to today)."),
                               QStringLiteral("yyyy-MM-dd"));
const QCommandLineOption Seed(QStringLiteral("seed"), QStringLiteral("Random seed (default 1)."), QStringLiteral("N"), QStringLiteral("1"));

QDate ReadDate(const QString& text) { return QDate::fromString(text, QStringLiteral("yyyy-MM-dd")); }

int RunLogFill(const QStringList& args, bool outbox, QTextStream& err)
{
    if (args.size() < 2 || args.size() > 4) {
        err << "usage: calllog-gen DIR ROWS [FIRST_DATE yyyy-MM-dd [DAYS]] [--outbox]" << Qt::endl;
        return 2;
    }
    TCallLogPlan plan;
    bool ok = false;
    plan.Rows = args[1].toLongLong(&ok);
    if (args.size() > 3)
        plan.Days = ok ? args[3].toInt(&ok) : 0;
    plan.First = args.size() > 2 ? ReadDate(args[2]) : QDate::currentDate().addDays(-plan.Days + 1);
    if (!ok || plan.Rows <= 0 || !plan.First.isValid() || plan.Days <= 0) {
        err << "calllog-gen: bad ROWS, FIRST_DATE or DAYS" << Qt::endl;
        return 2;
    }
    plan.NumbersFrom = plan.First.addDays(plan.Days / 2);
    TDM_Sys store;
    QString error;
    if (!store.Open(args[0], &error)
        || !(outbox ? LogCallsForShipping(args[0], plan, &error) : GenerateCallLog(store, plan, &error))) {
        err << "calllog-gen: " << error << Qt::endl;
        return 1;
    }
    return 0;
}

int RunCentralFill(const QCommandLineParser& line, QTextStream& err)
{
    TCentralFillPlan plan;
    plan.Connect = line.value(Central);
    bool ok[4] = {};
    plan.Sites = line.value(Sites).toInt(&ok[0]);
    plan.Calls = line.value(Calls).toLongLong(&ok[1]);
    plan.Days = line.value(Days).toInt(&ok[2]);
    plan.Seed = line.value(Seed).toUInt(&ok[3]);
    plan.First = line.isSet(First) ? ReadDate(line.value(First)) : QDate::currentDate().addDays(1 - plan.Days);
    if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || plan.Sites < 1 || plan.Sites > 99 || plan.Calls < plan.Sites
        || plan.Days < 1 || !plan.First.isValid() || !line.positionalArguments().isEmpty()) {
        err << "calllog-gen: bad --sites (1-99), --calls (at least one a site), --days, --first or --seed" << Qt::endl;
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    QString error;
    if (!FillCentral(plan, &error)) {
        err << "calllog-gen: " << error << Qt::endl;
        return 1;
    }
    const double seconds = static_cast<double>(std::max<qint64>(clock.elapsed(), 1)) / 1000.0;
    QTextStream(stdout) << QStringLiteral("calllog-gen: %1 calls of %2 sites from %3 over %4 days in %5 s (%6 calls/s)")
                               .arg(plan.Calls)
                               .arg(plan.Sites)
                               .arg(plan.First.toString(Qt::ISODate))
                               .arg(plan.Days)
                               .arg(seconds, 0, 'f', 1)
                               .arg(static_cast<qint64>(static_cast<double>(plan.Calls) / seconds))
                        << Qt::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QCommandLineParser line;
    line.addOptions({Outbox, Central, Sites, Calls, Days, First, Seed});
    line.addHelpOption();
    line.addPositionalArgument(QStringLiteral("DIR ROWS [FIRST_DATE [DAYS]]"), QStringLiteral("Data directory to append to."));
    if (!line.parse(app.arguments())) {
        err << "calllog-gen: " << line.errorText() << Qt::endl;
        return 2;
    }
    if (line.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << line.helpText();
        return 0;
    }
    return line.isSet(Central) ? RunCentralFill(line, err) : RunLogFill(line.positionalArguments(), line.isSet(Outbox), err);
}
