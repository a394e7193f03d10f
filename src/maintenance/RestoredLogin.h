#pragma once
// The logged-in operator after the operator table was restored.
class TDM_Sys;
struct TLoginMsg;

// The operator's restored row decides: gone, he is logged off; there, his name and
// permissions are those of the row. True when the login record changed.
// An unreadable table leaves the login as it is.
bool FollowRestoredOperators(TDM_Sys& store, TLoginMsg& login);
