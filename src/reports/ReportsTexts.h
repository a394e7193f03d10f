#pragma once
// Texts of the history and the reports.
enum TReportsText : int {
    TxtReportsByStaff = 1501,
    TxtReportsByPosition = 1502,
    TxtReportsSummaries = 1507,
    TxtReportsCallChart = 1510,
    TxtReportsRateChart = 1511,
    TxtReportsExportToExcel = 1512,
    TxtReportsPrint = 1513,
    TxtReportsTotal = 1529,
    TxtReportsAnswered = 1530,
    TxtReportsTimeOuts = 1531,
    TxtReportsAnsweredPercent = 1532,
    TxtReportsTimeOutPercent = 1533,
    TxtReportsYearSuffix = 1544,
    TxtReportsResponseTimes = 3100,
    TxtReportsMeanServiceTime = 3107,
    TxtReportsMedianServiceTime = 3108,
    TxtReportsServiceTime90 = 3109,
    TxtReportsLongestServiceTime = 3110,
    TxtReportsHistorySearching = 3114,    // %1 rows found so far
    TxtReportsHistoryFound = 3115,        // %1 rows
    TxtReportsExporting = 3116,
    TxtReportsCounting = 3117,
    TxtReportsCannotExport = 3118,        // %1 where to, %2 why
    TxtReportsCannotReadCalls = 3119,     // %1 the store's error
    TxtReportsStatisticsFailed = 3121,    // %1 the store's error
};
