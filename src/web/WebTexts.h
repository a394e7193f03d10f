#pragma once
// The web page's own texts (answers of its API and the station's lines about it).
enum TWebText : int {
    TxtWebLoginFailed = 3500,      // wrong name or wrong password: one text for both
    TxtWebSetPasswordFirst = 3501,
    TxtWebTooManyLogins = 3502,
    TxtWebNotLoggedIn = 3503,
    TxtWebNotFound = 3504,
    TxtWebTooLarge = 3505,
    TxtWebTooManyStreams = 3506,
    TxtWebBadLogin = 3507,
    TxtWebBadRequest = 3508,
    TxtWebListening = 3509,        // %1 address
    TxtWebCannotListen = 3510,     // %1 address, %2 why
    TxtWebBadListen = 3511,        // %1 the value given
    TxtWebBadCertificate = 3512,   // %1 certificate, %2 key
    TxtWebStoreFailed = 3513,      // %1 the store's error
    TxtWebPlainHttp = 3514,        // %1 address
    TxtWebNoPermission = 3540,      // "%1": the permission's name
    TxtWebLayoutsUnreadable = 3541, // "%1": the store's reason
};
