#pragma once
// Where this station's calls go: Config.ini, section [Central]. Connect= is a libpq connection string
// (host=... port=... dbname=... user=... password=..., sslmode= honoured); Site= names this restaurant
// (default: the host name). Without Connect= the station ships nothing.
#include <QString>

struct TCentralSettings {
    QString Connect;
    QString Site;

    bool Enabled() const { return !Connect.trimmed().isEmpty(); }
};

// Reads [Central] of the Config.ini at configPath; a missing file or section gives settings not enabled.
TCentralSettings ReadCentralSettings(const QString& configPath);

// How long the central link waits and how often it works. Tests shorten them.
struct TCentralTiming {
    int ConnectTimeoutMs = 3000;
    int StatementTimeoutMs = 10000;
    int ReportTimeoutMs = 300000;   // a history or report over years of the chain's calls
    int RetryFirstMs = 5000;     // the wait after the first failure, doubling up to RetryMaxMs
    int RetryMaxMs = 60000;
    int SitesEveryMs = 30000;    // this station's row in sites
    int ShutdownMs = 3000;       // what the station gives the last calls when it closes
    int BatchRows = 500;
};
