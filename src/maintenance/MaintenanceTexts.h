#pragma once
// Texts of the backup, the restore and the cleanup.
enum TMaintenanceText : int {
    TxtMaintenanceBackupCaption = 227,
    TxtMaintenanceRestoreCaption = 228,
    TxtMaintenanceCleanupCaption = 229,
    TxtMaintenanceChooseBackupItems = 1600,
    TxtMaintenanceCompress = 1602,
    TxtMaintenanceStartBackup = 1603,
    TxtMaintenanceNoBackupItem = 1604,
    TxtMaintenanceBackupFailed = 1605,
    TxtMaintenanceItemNames = 1606,          // one backup item a line
    TxtMaintenanceBackupDone = 1607,
    TxtMaintenanceSourceFile = 1608,
    TxtMaintenanceRestore = 1609,
    TxtMaintenanceNotABackup = 1611,
    TxtMaintenanceNoRestoreItem = 1612,
    TxtMaintenanceRestoreQuestion = 1613,
    TxtMaintenanceRestoreFailed = 1614,
    TxtMaintenanceRestoreDone = 1615,
    TxtMaintenanceCleanupDay = 1616,
    TxtMaintenanceClear = 1617,
    TxtMaintenanceCleanupDone = 1618,
    TxtMaintenanceCannotRead = 3200,         // %1 file, %2 why
    TxtMaintenanceCannotWrite = 3201,        // %1 file, %2 why
    TxtMaintenanceNotADataFile = 3202,       // %1 file, %2 why
    TxtMaintenanceBadBlock = 3203,           // %1 backup file, %2 offset
    TxtMaintenanceBackupTooLarge = 3204,
    TxtMaintenanceCleanupQuestion = 3205,    // %1 day, %2 number of calls
    TxtMaintenanceOperatorGone = 3207,
    TxtMaintenanceCannotCompress = 3208,     // %1 file, %2 why
    TxtMaintenanceCannotUncompress = 3209,   // %1 file, %2 why
    TxtMaintenanceCannotReplace = 3210,      // %1 file, %2 why
    TxtMaintenanceCleanupFailed = 3211,
    TxtMaintenanceTargetIsData = 3212,       // %1 file
    TxtMaintenanceCannotKeepOwner = 3213,    // %1 file, %2 why
    TxtMaintenanceMissingFiles = 3214,       // %1 item, %2 files
    TxtMaintenanceCancelled = 3215,
    TxtMaintenanceBackingUp = 3216,
    TxtMaintenanceRestoring = 3217,
    TxtMaintenanceCleaning = 3218,
};
