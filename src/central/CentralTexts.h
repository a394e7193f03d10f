#pragma once
// The central link's own texts (src/core/ResStringTable.cpp).
enum TCentralText : int {
    TxtCentralConnecting = 3600,  // "中央服务器：正在连接"
    TxtCentralUp = 3601,          // "中央服务器：已连接"
    TxtCentralShipping = 3602,    // "中央服务器：已连接，%1 条呼叫待发送"
    TxtCentralAway = 3603,        // "中央服务器：无法连接，%1 条呼叫待发送"
    TxtCentralNotConfigured = 3604,  // no [Central] Connect= and no --connect
    TxtCentralInitDone = 3605,       // "中央数据库已就绪（版本 %1）"
    TxtCentralPushDone = 3606,       // "已发送 %1 条呼叫，中央数据库已有 %2 条"
    TxtCentralFailed = 3607,         // "中央服务器操作失败：%1"
    // Reports across sites
    TxtCentralSite = 3608,           // "站点": the site's column
    TxtCentralSitesCaption = 3609,   // the sites report's title
    TxtCentralSiteWithout = 3610,    // --site without a central server
    TxtCentralWebNone = 3611,        // central=1 on a station without [Central] Connect=
};
