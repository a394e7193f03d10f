#pragma once
// Texts of the station's settings.
enum TStationText : int {
    TxtStationSettingsCaption = 1200,
    TxtStationSystemPage = 1201,
    TxtStationFacePage = 1202,
    TxtStationPortPage = 1204,
    TxtStationPort = 1250,
    TxtStationBaud = 1251,
    TxtStationDataBits = 1252,
    TxtStationStopBits = 1253,
    TxtStationParity = 1254,
    TxtStationFlowControl = 1255,
    TxtStationParities = 1256,         // one a line
    TxtStationFlowControls = 1257,     // one a line
    TxtStationTitle = 1258,
    TxtStationNewestRows = 1259,
    TxtStationColours = 1260,
    TxtStationColourItem = 1261,
    TxtStationBackColour = 1262,
    TxtStationTextColour = 1263,
    TxtStationThreshold = 1264,
    TxtStationAutoRun = 1270,
    TxtStationTopMost = 1271,
    TxtStationTrayIcon = 1272,
    TxtStationKey1 = 1273,
    TxtStationKey2 = 1274,
    TxtStationKey3 = 1275,
    TxtStationSound = 1276,
    TxtStationChooseSound = 1277,
    TxtStationPreview = 1278,
    TxtStationPlayModes = 1279,        // one a line
    TxtStationSoundFilter = 1280,
    TxtStationPopupWindow = 1281,
    TxtStationKeepTiming = 1282,
};
