#pragma once
// Texts shared by several folders: buttons, message captions, the call columns, the call states' defaults.
enum TCoreText : int {
    TxtOk = 101,
    TxtCancel = 102,
    TxtCaptionLayoutConfirm = 111,  // the layout editor's own question caption
    TxtCaptionWarning = 112,
    TxtCaptionError = 113,
    TxtCaptionNotice = 115,
    TxtDefaultTitle = 200,
    TxtColumnCallDate = 212,
    TxtColumnCallTime = 213,
    TxtColumnCallArea = 214,
    TxtColumnCallPosition = 215,
    TxtColumnServiceType = 216,
    TxtColumnServer = 217,
    TxtColumnServiceTime = 218,
    TxtColumnServiceState = 219,
    TxtColumnHandledTime = 220,
    TxtColumnHandler = 221,
    TxtMale = 1114,
    TxtFemale = 1115,
    TxtStatePreWarn1 = 1265,
    TxtStatePreWarn2 = 1266,
    TxtStateTimeOut = 1267,
    TxtStateUnanswered = 1268,
    TxtStateAnswered = 1269,
    TxtOpenFileFailed = 1610,
};
