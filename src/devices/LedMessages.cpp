#include "devices/LedMessages.h"

#include "core/Config.h"
#include "core/GbkCodec.h"
#include "core/IniFile.h"
#include "core/ResStrings.h"
#include "devices/DevicesTexts.h"

#include <QFileInfo>
#include <algorithm>

namespace {

QString Section(int position) { return QStringLiteral("Message_%1").arg(position); }

// A key of the message's section: the default when missing or no integer, else limited to min..max.
uint8_t ReadField(const IniFile& ini, const QString& section, const char* key, int defaultValue, int min,
                  int max, bool* adjusted)
{
    const int value = ParseProfileInt(ini.Value(section, QLatin1String(key))).value_or(defaultValue);
    const int limited = std::clamp(value, min, max);
    *adjusted = *adjusted || limited != value;
    return uint8_t(limited);
}

QString ChoiceText(int textsId, int index) { return LedChoices(textsId).value(index); }

}  // namespace

QStringList LedChoices(int textsId) { return LoadResStr(textsId).split(QLatin1Char('\n')); }

QStringList LedCellTexts(const TLedMessage& m, int position)
{
    return {QString::number(position),          ChoiceText(TxtDevicesDisplayModes, m.DisplayMode),
            QString::number(m.MoveInterval),    QString::number(m.StopTime),
            ChoiceText(TxtDevicesColors, m.Color),  ChoiceText(TxtDevicesDataModes, m.DataMode),
            m.Text};
}

TLedMenuState LedMenuState(int count, bool selected, bool uploading)
{
    if (uploading)
        return {false, false, false, false};
    return {true, count < MaxLedMessages, selected, selected};
}

TLedList ReadDataFromFile(const IniFile& ini, int* adjusted)
{
    TLedList list;
    int changed = 0;
    for (int n = 1; n <= MaxLedMessages; ++n) {
        const QString section = Section(n);
        const QString text = ini.Value(section, QStringLiteral("Text"));
        if (text.isEmpty())
            break;
        bool limited = false;
        TLedMessage m;
        m.DataMode = ReadField(ini, section, "DataMode", 1, 0, 1, &limited);
        m.DisplayMode = ReadField(ini, section, "DisplayMode", 0, 0, int(LedChoices(TxtDevicesDisplayModes).size()) - 1,
                                  &limited);
        m.MoveInterval = ReadField(ini, section, "MoveInterval", 1, 1, MaxMoveInterval, &limited);
        m.StopTime = ReadField(ini, section, "StopTime", 1, 0, MaxStopTime, &limited);
        m.Color = ReadField(ini, section, "Color", 1, 0, int(LedChoices(TxtDevicesColors).size()) - 1, &limited);
        // Cut, a text may end in a blank, which the file cannot keep: it goes too.
        m.Text = CutToGbkBytes(text, MaxLedTextBytes).trimmed();
        if (limited || m.Text != text)
            ++changed;
        list.push_back(m);
    }
    if (adjusted)
        *adjusted = changed;
    return list;
}

void SaveDataToFile(IniFile& ini, const TLedList& list)
{
    int position = 0;
    for (const TLedMessage& m : list) {
        const QString section = Section(++position);
        ini.SetValue(section, QStringLiteral("DataMode"), QString::number(m.DataMode));
        ini.SetValue(section, QStringLiteral("DisplayMode"), QString::number(m.DisplayMode));
        ini.SetValue(section, QStringLiteral("MoveInterval"), QString::number(m.MoveInterval));
        ini.SetValue(section, QStringLiteral("StopTime"), QString::number(m.StopTime));
        ini.SetValue(section, QStringLiteral("Color"), QString::number(m.Color));
        ini.SetValue(section, QStringLiteral("Text"), m.Text);
    }
    ini.RemoveSection(Section(position + 1));
}

bool LoadLedList(const QString& path, TLedList& list, int* adjusted, QString* error)
{
    IniFile ini;
    if (!ini.Load(path, error))
        return false;
    list = ReadDataFromFile(ini, adjusted);
    return true;
}

bool ImportLedList(const QString& path, TLedList& list, int* adjusted)
{
    TLedList imported;
    if (!QFileInfo(path).isFile() || !LoadLedList(path, imported, adjusted, nullptr))
        return false;
    list = std::move(imported);
    return true;
}

bool SaveLedList(const QString& path, const TLedList& list, QString* error)
{
    IniFile ini;
    if (!ini.Load(path, error))
        return false;
    SaveDataToFile(ini, list);
    return ini.Save(path, error);
}
