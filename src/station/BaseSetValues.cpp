#include "station/BaseSetValues.h"

#include "comm/SerialPort.h"

#include <QSerialPortInfo>

namespace {

QTime TimeOfThreshold(uint16_t seconds)
{
    return QTime(seconds / 3600, seconds % 3600 / 60, seconds % 60);
}

uint16_t ThresholdOfTime(const QTime& time)
{
    return time.isValid() ? ThresholdFromHms(time.hour(), time.minute(), time.second()) : 0;
}

template <typename Number>
Number NumberOrDefault(const QString& text, Number fallback)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? Number(number) : fallback;
}

uint8_t IndexOrOld(int index, uint8_t old)
{
    return index >= 0 ? uint8_t(index) : old;
}

}  // namespace

TBaseSetValues BaseSetValuesFromConfig(const TConfig& cfg)
{
    TBaseSetValues v;
    v.Title = cfg.Title;
    v.ViewRecordsText = QString::number(cfg.ViewRecords);
    v.PreWarn1BkColor = cfg.PreWarn1BkColor;
    v.PreWarn1TxtColor = cfg.PreWarn1TxtColor;
    v.PreWarn2BkColor = cfg.PreWarn2BkColor;
    v.PreWarn2TxtColor = cfg.PreWarn2TxtColor;
    v.PreWarn3BkColor = cfg.PreWarn3BkColor;
    v.PreWarn3TxtColor = cfg.PreWarn3TxtColor;
    v.NormalBkColor = cfg.NormalBkColor;
    v.NormalTxtColor = cfg.NormalTxtColor;
    v.SuccessBkColor = cfg.SuccessBkColor;
    v.SuccessTxtColor = cfg.SuccessTxtColor;
    v.PreWarn1Time = TimeOfThreshold(cfg.PreWarn1Time);
    v.PreWarn2Time = TimeOfThreshold(cfg.PreWarn2Time);
    v.PreWarn3Time = TimeOfThreshold(cfg.PreWarn3Time);
    v.ServerType1 = cfg.ServerType1;
    v.ServerType2 = cfg.ServerType2;
    v.ServerType3 = cfg.ServerType3;
    v.AutoRun = cfg.AutoRun;
    v.TopMost = cfg.TopMost;
    v.TrayIcon = cfg.TrayIcon;
    v.PopupWin = cfg.PopupWin;
    v.ServiceTimeOutKeepOnTime = cfg.ServiceTimeOutKeepOnTime;
    v.PreWarnWav1 = cfg.PreWarnWav1;
    v.PreWarnWav2 = cfg.PreWarnWav2;
    v.PreWarnWavePlayMode1 = cfg.PreWarnWavePlayMode1;
    v.PreWarnWavePlayMode2 = cfg.PreWarnWavePlayMode2;
    v.BaudText = QString::number(cfg.Baud);
    v.DataBitsText = QString::number(cfg.DataBits);
    v.StopBits = cfg.StopBits;
    v.Parity = cfg.Parity;
    v.Flux = cfg.Flux;
    return v;
}

TConfig ConfigFromDialogValues(const TBaseSetValues& v, const TConfig& old)
{
    TConfig cfg = old;
    cfg.Title = v.Title;
    cfg.ViewRecords = ViewRecordsFromText(v.ViewRecordsText);
    cfg.PreWarn1Time = ThresholdOfTime(v.PreWarn1Time);
    cfg.PreWarn2Time = ThresholdOfTime(v.PreWarn2Time);
    cfg.PreWarn3Time = ThresholdOfTime(v.PreWarn3Time);
    cfg.PreWarn1BkColor = v.PreWarn1BkColor;
    cfg.PreWarn1TxtColor = v.PreWarn1TxtColor;
    cfg.PreWarn2BkColor = v.PreWarn2BkColor;
    cfg.PreWarn2TxtColor = v.PreWarn2TxtColor;
    cfg.PreWarn3BkColor = v.PreWarn3BkColor;
    cfg.PreWarn3TxtColor = v.PreWarn3TxtColor;
    cfg.NormalBkColor = v.NormalBkColor;
    cfg.NormalTxtColor = v.NormalTxtColor;
    cfg.SuccessBkColor = v.SuccessBkColor;
    cfg.SuccessTxtColor = v.SuccessTxtColor;
    cfg.ServerType1 = v.ServerType1.trimmed();
    cfg.ServerType2 = v.ServerType2.trimmed();
    cfg.ServerType3 = v.ServerType3.trimmed();
    cfg.AutoRun = v.AutoRun;
    cfg.TopMost = v.TopMost;
    cfg.TrayIcon = v.TrayIcon;
    cfg.PopupWin = v.PopupWin;
    cfg.ServiceTimeOutKeepOnTime = v.ServiceTimeOutKeepOnTime;
    cfg.PreWarnWav1 = v.PreWarnWav1.trimmed();
    cfg.PreWarnWav2 = v.PreWarnWav2.trimmed();
    cfg.PreWarnWavePlayMode1 = IndexOrOld(v.PreWarnWavePlayMode1, old.PreWarnWavePlayMode1);
    cfg.PreWarnWavePlayMode2 = IndexOrOld(v.PreWarnWavePlayMode2, old.PreWarnWavePlayMode2);
    cfg.StopBits = IndexOrOld(v.StopBits, old.StopBits);
    cfg.Parity = IndexOrOld(v.Parity, old.Parity);
    cfg.Flux = IndexOrOld(v.Flux, old.Flux);

    const QString port = v.PortText.trimmed();
    if (v.PortShown.isEmpty() || port.compare(v.PortShown, Qt::CaseInsensitive) != 0) {
        cfg.PortName = port;
        if (port.isEmpty() || port.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
            cfg.Port = PortNumberFromName(port);
    }
    cfg.Baud = NumberOrDefault<int32_t>(v.BaudText, 9600);
    cfg.DataBits = NumberOrDefault<uint8_t>(v.DataBitsText, 8);
    return cfg;
}

QStringList AvailablePortItems()
{
    QStringList items;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        items << info.portName();
#else
        items << info.systemLocation();
#endif
    }
    return items;
}

int ShowPortItem(QStringList& items, const TConfig& cfg, const QString& inUse)
{
    const QString port = inUse.isEmpty() ? TMSComm::DeviceName(cfg.Port, cfg.PortName) : inUse;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].compare(port, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    items << port;
    return int(items.size() - 1);
}
