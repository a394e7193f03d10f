#pragma once
// Reading and writing the layout tables LayOutName and LayOutPoint.
#include "layout/LayoutModel.h"

class TDM_Sys;

// Rebuilds the tree from the tables; every point starts idle, the root is selected.
// False with the store's error text when a statement fails (the tree is then left cleared).
bool ReadSiteLayOutData(TDM_Sys& store, TLayOutTree& tree, QString* error = nullptr);

// Replaces both tables with the tree in one transaction: layouts numbered 1, 2, ...
// in tree order, points in index order. On failure the stored layouts stay as they were.
bool WriteSiteLayOutData(TDM_Sys& store, const TLayOutTree& tree, QString* error = nullptr);
