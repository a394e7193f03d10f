#pragma once
// The history and report commands across the chain's sites: --central (the server of
// [Central] Connect=), --connect CONNINFO (another one), --site NAME (repeatable; default
// every site).
#include "app/ReportOutput.h"
#include "central/CentralReports.h"

#include <QString>
#include <optional>

class TCommandLine;
struct TEnvironment;

struct TCentralChoice {
    bool Chosen = false;   // the central server, not the local log
    QString Connect;
    TCentralScope Scope;
};

// Whether name is one of the options above, which are no condition of the history or a report.
bool IsCentralOption(const QString& name);

// Reads the options above; an error for --site without a server, a server not configured or a
// connection string that does not read as one.
std::optional<TArgumentError> ReadCentralChoice(const TEnvironment& env, const TCommandLine& line,
                                                TCentralChoice& choice);
