#pragma once
// What the settings dialog's controls hold, and how they turn into the settings record and back.
#include "core/Config.h"

#include <QString>
#include <QStringList>
#include <QTime>

struct TBaseSetValues {
    QString Title;
    QString ViewRecordsText;  // as typed
    TColor PreWarn1BkColor = 0, PreWarn1TxtColor = 0;
    TColor PreWarn2BkColor = 0, PreWarn2TxtColor = 0;
    TColor PreWarn3BkColor = 0, PreWarn3TxtColor = 0;
    TColor NormalBkColor = 0, NormalTxtColor = 0;
    TColor SuccessBkColor = 0, SuccessTxtColor = 0;
    QTime PreWarn1Time, PreWarn2Time, PreWarn3Time;
    QString ServerType1, ServerType2, ServerType3;

    bool AutoRun = false, TopMost = false, TrayIcon = false, PopupWin = false, ServiceTimeOutKeepOnTime = false;
    QString PreWarnWav1, PreWarnWav2;
    int PreWarnWavePlayMode1 = -1, PreWarnWavePlayMode2 = -1;  // item index, -1 when none is selected

    QString PortText;  // selected or typed texts, empty when none is selected
    QString PortShown; // the port the list showed at opening: still shown at OK, it leaves the stored port as it was
    QString BaudText;
    QString DataBitsText;
    int StopBits = -1, Parity = -1, Flux = -1;  // item index, -1 when none is selected
};

// The controls' contents for cfg. PortText is not set: the port list decides it (ShowPortItem).
TBaseSetValues BaseSetValuesFromConfig(const TConfig& cfg);

// The record the dialog's OK stores: old with every entry of the dialog taken over. A port other than
// the one shown at opening is stored as chosen (it names the device to open); a COM name also gives the
// port number, no port gives port 1, and a device path keeps the old number. A list with nothing
// selected keeps its old index.
TConfig ConfigFromDialogValues(const TBaseSetValues& values, const TConfig& old);

// The ports present, as the station names them: COMn on Windows, device paths such as /dev/ttyUSB0
// elsewhere.
QStringList AvailablePortItems();

// The item of the port list to select, ignoring case: the device in use (inUse, or when it is empty
// the device cfg names), added to items when the system does not list it (a pseudo-terminal, a
// /dev/serial/by-id link, a receiver unplugged for now), so that the dialog never shows another port.
int ShowPortItem(QStringList& items, const TConfig& cfg, const QString& inUse);
