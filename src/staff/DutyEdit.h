#pragma once
// The duty grid's columns, the choices of the duty dialog and its checks.
#include "layout/LayoutModel.h"
#include "staff/StaffEdit.h"
#include "staff/TextGrid.h"

#include <QStringList>
#include <QTime>
#include <optional>

enum TDutyColumn : int { DutyNumber, DutyName, DutySTime, DutyETime, DutyArea, DutyPosition, DutyColumnCount };

// Times of day as the roster shows and stores them.
QString RosterTimeText(const QTime& time);
// A roster time text; anything else reads as midnight.
QTime RosterTimeOfText(const QString& text);

// The staff choice: the names of the staff grid's rows, as currently edited.
QStringList StaffChoices(const TTextGrid& staff);
// The first staff row of that name, or -1.
int StaffChoiceOfName(const TTextGrid& staff, const QString& name);
// The area choice: every layout's name in tree order.
QStringList AreaChoices(const TLayOutTree& tree);
// The position choice of an area: the point names of the first layout of that name.
QStringList PositionChoices(const TLayOutTree& tree, const QString& area);

struct TDutyInput {
    int StaffChoice = -1;                 // staff grid row, -1 when none is chosen
    QTime Start = QTime(0, 0);
    QTime End = QTime(0, 0);
    std::optional<QString> Area;          // nothing chosen: empty
    std::optional<QString> Position;
};

// The dialog's checks in order: a staff member, an area and a position chosen.
std::optional<TEditProblem> CheckDutyInput(const TTextGrid& staff, const TDutyInput& input);
// The grid row of an accepted entry: the staff member's number and name as the staff grid has them now.
QStringList DutyRow(const TTextGrid& staff, const TDutyInput& input);
