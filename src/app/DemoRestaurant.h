#pragma once
// A small sample restaurant for the demo mode, so that a newcomer sees the
// station work without any set-up of his own.
#include <QString>

class TDM_Sys;

// Panel area the sample call points are placed in, in pixels.
constexpr int DemoPanelWidth = 700;
constexpr int DemoPanelHeight = 440;

// When the open store holds no layout, call point, staff member or duty row:
// writes two layouts with their call points, four waiters with cancel units and
// a roster that puts exactly one waiter on duty at every table at any time, in
// one transaction; and, when configPath does not exist yet, a Config.ini with
// short thresholds and the popup window on. A store that holds any of these
// rows, and an existing Config.ini, are left untouched (true is returned).
// False with a reason when writing failed; the tables are then still empty.
bool SeedDemoRestaurant(TDM_Sys& store, const QString& configPath, QString* error = nullptr);
