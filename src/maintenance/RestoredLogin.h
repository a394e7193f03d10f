#pragma once
// The logged-in operator after the operator table was restored.
class TDM_Sys;
struct TLoginMsg;

// The operator's restored row, found by his name ignoring case, decides: gone, he is
// logged off; there, the login takes its row, name and permissions. True when the
// login record changed.
// An unreadable table leaves the login as it is.
bool FollowRestoredOperators(TDM_Sys& store, TLoginMsg& login);
