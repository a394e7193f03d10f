#pragma once
// Texts of the web page's answers (string table ids).
enum TWebText : int {
    TxtWebNoPermission = 3540,      // "%1": the permission's name
    TxtWebLayoutsUnreadable = 3541, // "%1": the store's reason
};
