#pragma once
// Texts of the staff and the duty roster.
enum TStaffText : int {
    TxtStaffDetails = 1301,
    TxtStaffDutyRoster = 1302,
    TxtStaffName = 1303,
    TxtStaffSex = 1304,
    TxtStaffPhone = 1305,
    TxtStaffCancelAddress = 1306,
    TxtStaffRemark = 1307,
    TxtStaffAdd = 1308,
    TxtStaffModify = 1309,
    TxtStaffDelete = 1310,
    TxtStaffAddCaption = 1311,
    TxtStaffModifyCaption = 1312,
    TxtStaffDutyStart = 1316,
    TxtStaffDutyEnd = 1317,
    TxtStaffDutyArea = 1318,
    TxtStaffDutyPosition = 1319,
    TxtStaffAddDutyCaption = 1320,
    TxtStaffModifyDutyCaption = 1321,
    TxtStaffNumber = 1326,
};
