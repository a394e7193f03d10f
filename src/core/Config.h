#pragma once
// The settings record and its file Config.ini (sections Com, Face and Sys).
#include "core/StationColors.h"

#include <QString>
#include <cstdint>
#include <optional>

struct TConfig {
    uint8_t Port = 1;
    int32_t Baud = 9600;
    uint8_t DataBits = 8;
    uint8_t StopBits = 0;
    uint8_t Parity = 2;
    uint8_t Flux = 2;
    QString Title;                    // default: resource text 200
    uint16_t ViewRecords = 100;
    TColor NormalBkColor = 0xFFFFFF;
    TColor NormalTxtColor = 0;
    TColor SuccessBkColor = 0x008000;
    TColor SuccessTxtColor = 0;
    uint16_t PreWarn1Time = 30;
    uint16_t PreWarn2Time = 60;
    uint16_t PreWarn3Time = 120;
    TColor PreWarn1BkColor = 0xCEBCFC;
    TColor PreWarn2BkColor = 0xFFBCFC;
    TColor PreWarn3BkColor = 0x0000FF;
    TColor PreWarn1TxtColor = 0xFFFFFF;
    TColor PreWarn2TxtColor = 0xFFFFFF;
    TColor PreWarn3TxtColor = 0xFFFFFF;
    QString PreWarnWav1;
    uint8_t PreWarnWavePlayMode1 = 1;  // 0 mute, 1 once, 2 loop
    QString PreWarnWav2;
    uint8_t PreWarnWavePlayMode2 = 1;
    QString ServerType1 = QStringLiteral("BUTTON1");
    QString ServerType2 = QStringLiteral("BUTTON2");
    QString ServerType3 = QStringLiteral("BUTTON3");
    bool AutoRun = false;
    bool TopMost = false;
    bool TrayIcon = false;
    bool PopupWin = false;
    bool ServiceTimeOutKeepOnTime = false;
    // Not part of the original record: the serial device to open, when set
    // ([Com] PortName); otherwise the device follows from Port.
    QString PortName;

    friend bool operator==(const TConfig&, const TConfig&) = default;
};

// The five state texts: read with the settings, never written by the station.
struct TStateTexts {
    QString NormalSvrText;    // default 1268
    QString SuccessSvrText;   // default 1269
    QString PreWarn1SvrText;  // default 1265
    QString PreWarn2SvrText;  // default 1266
    QString PreWarn3SvrText;  // default 1267

    friend bool operator==(const TStateTexts&, const TStateTexts&) = default;
};

class IniFile;

// Fills both records from the file at path; a missing file or key gives the defaults.
void ReadConfig(const QString& path, TConfig& cfg, TStateTexts& texts);
// Writes the record in the fixed key order, keeping every other section and key of the file.
// Returns false (with a reason) when the file could not be written; the old file is then unchanged.
bool SaveConfig(const QString& path, const TConfig& cfg, QString* error = nullptr);
// The same on a document in memory: reading it, and writing the record into it.
void ReadConfigFrom(const IniFile& ini, TConfig& cfg, TStateTexts& texts);
void WriteConfigTo(IniFile& ini, const TConfig& cfg);

// An integer as initialisation files hold it: decimal, or hexadecimal after 0x or $, with an optional
// sign; nothing when the value is no integer. Also read by the other owners of Config.ini.
std::optional<int32_t> ParseProfileInt(const QString& value);

// Conversions of the settings dialog's entries into the record.
// The serial port number in characters 4 and 5 of a port name ("COM3" 3, "COM12" 12); 1 when they are
// no port number.
uint8_t PortNumberFromName(const QString& portName);
// The typed row count as a decimal number (100 when it is none), forced into 10-999.
uint16_t ViewRecordsFromText(const QString& text);
// A time picker's value in seconds; a time beyond 65535 seconds (18:12:15) gives 65535.
uint16_t ThresholdFromHms(int hours, int minutes, int seconds);
