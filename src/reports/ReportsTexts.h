#pragma once
// The reports' own texts (src/core/ResStringTable.cpp).
enum TReportsText : int {
    TxtSitesAcrossSitesOnly = 3612,  // the sites report on one station's own log
};
