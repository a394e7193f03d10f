#include "core/Config.h"

#include "core/IniFile.h"
#include "core/LogCategories.h"
#include "core/ResStrings.h"

#include <QtGlobal>
#include <algorithm>
#include <optional>
#include <type_traits>
#include <variant>

namespace {

template <typename Record>
using FieldOf = std::variant<uint8_t Record::*, uint16_t Record::*, int32_t Record::*, uint32_t Record::*,
                             bool Record::*, QString Record::*>;

template <typename Record>
struct Entry {
    const char* section;
    const char* key;
    FieldOf<Record> field;
};

// Every key of the record, in the order the file is written.
const Entry<TConfig> ConfigEntries[] = {
    {"Face", "Title", &TConfig::Title},
    {"Face", "ViewRecords", &TConfig::ViewRecords},
    {"Face", "PreWarn1BkColor", &TConfig::PreWarn1BkColor},
    {"Face", "PreWarn1TxtColor", &TConfig::PreWarn1TxtColor},
    {"Face", "PreWarn1Time", &TConfig::PreWarn1Time},
    {"Face", "PreWarn2BkColor", &TConfig::PreWarn2BkColor},
    {"Face", "PreWarn2TxtColor", &TConfig::PreWarn2TxtColor},
    {"Face", "PreWarn2Time", &TConfig::PreWarn2Time},
    {"Face", "PreWarn3BkColor", &TConfig::PreWarn3BkColor},
    {"Face", "PreWarn3TxtColor", &TConfig::PreWarn3TxtColor},
    {"Face", "PreWarn3Time", &TConfig::PreWarn3Time},
    {"Face", "NormalBkColor", &TConfig::NormalBkColor},
    {"Face", "NormalTxtColor", &TConfig::NormalTxtColor},
    {"Face", "SuccessBkColor", &TConfig::SuccessBkColor},
    {"Face", "SuccessTxtColor", &TConfig::SuccessTxtColor},
    {"Face", "ServerType1", &TConfig::ServerType1},
    {"Face", "ServerType2", &TConfig::ServerType2},
    {"Face", "ServerType3", &TConfig::ServerType3},
    {"Sys", "AutoRun", &TConfig::AutoRun},
    {"Sys", "TopMost", &TConfig::TopMost},
    {"Sys", "TrayIcon", &TConfig::TrayIcon},
    {"Sys", "PopupWin", &TConfig::PopupWin},
    {"Sys", "ServiceTimeOutKeepOnTime", &TConfig::ServiceTimeOutKeepOnTime},
    {"Sys", "PreWarnWav1", &TConfig::PreWarnWav1},
    {"Sys", "PreWarnWav2", &TConfig::PreWarnWav2},
    {"Sys", "PreWarnWavePlayMode1", &TConfig::PreWarnWavePlayMode1},
    {"Sys", "PreWarnWavePlayMode2", &TConfig::PreWarnWavePlayMode2},
    {"Com", "Port", &TConfig::Port},
    {"Com", "Baud", &TConfig::Baud},
    {"Com", "DataBits", &TConfig::DataBits},
    {"Com", "StopBits", &TConfig::StopBits},
    {"Com", "Parity", &TConfig::Parity},
    {"Com", "Flux", &TConfig::Flux},
    {"Com", "PortName", &TConfig::PortName},
};

// Read only: a hand edit of the file is the only way to change them.
const Entry<TStateTexts> StateTextEntries[] = {
    {"Face", "NormalSvrText", &TStateTexts::NormalSvrText},
    {"Face", "SuccessSvrText", &TStateTexts::SuccessSvrText},
    {"Face", "PreWarn1SvrText", &TStateTexts::PreWarn1SvrText},
    {"Face", "PreWarn2SvrText", &TStateTexts::PreWarn2SvrText},
    {"Face", "PreWarn3SvrText", &TStateTexts::PreWarn3SvrText},
};

bool IsDigitIn(QChar c, int base)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (base == 16 && ((u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')));
}

}  // namespace

// An integer as the file holds it: decimal, or hexadecimal after 0x or $, with an optional sign.
// Hexadecimal values fill all 32 bits (0xFFFFFFFF is -1); decimal ones must fit in 32 signed bits.
std::optional<int32_t> ParseProfileInt(const QString& value)
{
    QString text = value.trimmed();
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative || text.startsWith(QLatin1Char('+')))
        text.remove(0, 1);
    int base = 10;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text.remove(0, 2);
    } else if (text.startsWith(QLatin1Char('$'))) {
        base = 16;
        text.remove(0, 1);
    }
    if (text.isEmpty() || !std::all_of(text.cbegin(), text.cend(), [base](QChar c) { return IsDigitIn(c, base); }))
        return std::nullopt;
    bool ok = false;
    const qulonglong magnitude = text.toULongLong(&ok, base);
    const qulonglong limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!ok || magnitude > limit)
        return std::nullopt;
    const uint32_t bits = uint32_t(magnitude);
    return int32_t(negative ? 0u - bits : bits);
}

namespace {

// Reads every entry into record, whose fields hold the defaults; a value that is no integer keeps the
// default, an integer is cut to the field's width.
template <typename Record, size_t N>
void ReadEntries(const IniFile& ini, const Entry<Record> (&entries)[N], Record& record)
{
    for (const Entry<Record>& entry : entries) {
        const QString section = QLatin1String(entry.section);
        const QString key = QLatin1String(entry.key);
        std::visit(
            [&](auto member) {
                auto& field = record.*member;
                using Field = std::remove_reference_t<decltype(field)>;
                if constexpr (std::is_same_v<Field, QString>)
                    field = ini.Value(section, key, field);
                else
                    field = static_cast<Field>(ParseProfileInt(ini.Value(section, key)).value_or(int32_t(field)));
            },
            entry.field);
    }
}

uint16_t ClampViewRecords(uint16_t rows)
{
    return std::clamp<uint16_t>(rows, 10, 999);
}

}  // namespace

void ReadConfig(const QString& path, TConfig& cfg, TStateTexts& texts)
{
    IniFile ini;
    QString error;
    if (!ini.Load(path, &error))
        qCWarning(LogCore, "Settings file not readable, using the defaults: %s", qPrintable(error));
    ReadConfigFrom(ini, cfg, texts);
}

void ReadConfigFrom(const IniFile& ini, TConfig& cfg, TStateTexts& texts)
{
    cfg = TConfig{};
    cfg.Title = LoadResStr(200);
    ReadEntries(ini, ConfigEntries, cfg);
    cfg.ViewRecords = ClampViewRecords(cfg.ViewRecords);
    for (uint8_t* mode : {&cfg.PreWarnWavePlayMode1, &cfg.PreWarnWavePlayMode2}) {
        if (*mode > 2)
            *mode = 1;
    }

    texts.NormalSvrText = LoadResStr(1268);
    texts.SuccessSvrText = LoadResStr(1269);
    texts.PreWarn1SvrText = LoadResStr(1265);
    texts.PreWarn2SvrText = LoadResStr(1266);
    texts.PreWarn3SvrText = LoadResStr(1267);
    ReadEntries(ini, StateTextEntries, texts);
}

bool SaveConfig(const QString& path, const TConfig& cfg, QString* error)
{
    // Other owners' sections live in the same file: never write over a file that could not be read.
    IniFile ini;
    if (!ini.Load(path, error))
        return false;
    WriteConfigTo(ini, cfg);
    return ini.Save(path, error);
}

void WriteConfigTo(IniFile& ini, const TConfig& cfg)
{
    TConfig out = cfg;
    out.ViewRecords = ClampViewRecords(out.ViewRecords);
    for (const Entry<TConfig>& entry : ConfigEntries) {
        const QString value = std::visit(
            [&](auto member) {
                const auto& field = out.*member;
                using Field = std::remove_cvref_t<decltype(field)>;
                if constexpr (std::is_same_v<Field, QString>)
                    return field;
                else if constexpr (std::is_same_v<Field, bool>)
                    return field ? QStringLiteral("1") : QStringLiteral("0");
                // The file's integers are 32-bit signed: a colour with its top bit set (a system
                // colour) is written as the negative number it reads back from.
                else if constexpr (std::is_same_v<Field, uint32_t>)
                    return QString::number(int32_t(field));
                else
                    return QString::number(field);
            },
            entry.field);
        ini.SetValue(QLatin1String(entry.section), QLatin1String(entry.key), value);
    }
}

uint8_t PortNumberFromName(const QString& portName)
{
    bool ok = false;
    const int number = portName.mid(3, 2).toInt(&ok);
    return ok && number >= 1 ? uint8_t(number) : 1;
}

uint16_t ViewRecordsFromText(const QString& text)
{
    bool ok = false;
    const qlonglong rows = text.trimmed().toLongLong(&ok);
    return ok ? uint16_t(std::clamp<qlonglong>(rows, 10, 999)) : 100;
}

uint16_t ThresholdFromHms(int hours, int minutes, int seconds)
{
    const qint64 total = qint64(hours) * 3600 + qint64(minutes) * 60 + seconds;
    return uint16_t(std::clamp<qint64>(total, 0, 65535));
}
