#pragma once
// Reading the staff list and the duty roster into the staff window's grids, and
// writing both back as one change.
#include "staff/DutyEdit.h"
#include "staff/StaffEdit.h"
#include "staff/TextGrid.h"

#include <QString>

class TDM_Sys;
struct TLayOutTree;

// Everything the staff window edits; the grids are the only copy of the edits
// until the window is confirmed.
struct TStaffData {
    TTextGrid Staff{StaffColumnCount};
    TTextGrid Duty{DutyColumnCount};
    int SortMarker = 0;      // duty grid, see TableSort
};

// Fills both grids from the tables; the area and position of a duty row come
// from the layout tree and stay empty when no call point has its address.
bool LoadStaffData(TDM_Sys& store, const TLayOutTree& tree, TStaffData& data, QString* error);
// Rewrites both tables from the grids in one transaction, so a failure leaves
// the stored rows as they were. A duty row whose area and position name no call
// point of the tree is left out.
bool SaveStaffData(TDM_Sys& store, const TLayOutTree& tree, const TStaffData& data, QString* error);
