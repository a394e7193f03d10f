#pragma once
// Where the web page listens and with which certificate: from Config.ini's [Web] section,
// the --web option or the demo. Off unless one of them turns it on.
#include <QString>
#include <optional>

struct TWebSettings {
    QString Host;          // an address to bind; empty: the page is off
    int Port = 0;
    QString Certificate;   // both set: https only
    QString Key;

    bool Enabled() const { return !Host.isEmpty(); }
    bool Tls() const { return !Certificate.isEmpty() && !Key.isEmpty(); }
    // As a person would type it back: 127.0.0.1:8080, [::1]:8080.
    QString Address() const;
};

// "[ADDR:]PORT" (ADDR an IPv4 address, a host name or [IPv6]); a bare port means 127.0.0.1.
// Nothing when the text is not such an address.
struct TListenAddress {
    QString Host;
    int Port = 0;
};
std::optional<TListenAddress> ParseListen(const QString& text);

// The settings from Config.ini ([Web] Listen, Certificate, Key; relative files are taken in the
// data directory), then the command line's --web (when given, it wins) and the demo's default.
// False with a reason when a value given is not an address: the page stays off.
bool ReadWebSettings(const QString& configPath, const QString& dataDir, const QString& webOption, bool demo,
                     TWebSettings* settings, QString* error);
