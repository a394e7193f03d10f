#include "staff/DutyEdit.h"
#include "core/CoreTexts.h"
#include "core/DateFormats.h"
#include "staff/StaffTexts.h"

QString RosterTimeText(const QTime& time)
{
    return (time.isValid() ? time : QTime(0, 0)).toString(IsoTimeFormat);
}

QTime RosterTimeOfText(const QString& text)
{
    const QTime t = QTime::fromString(text, IsoTimeFormat);
    return t.isValid() ? t : QTime(0, 0);
}

QStringList StaffChoices(const TTextGrid& staff)
{
    QStringList names;
    for (int r = 0; r < staff.DataRowCount(); ++r)
        names << staff.Cell(r, StaffName);
    return names;
}

int StaffChoiceOfName(const TTextGrid& staff, const QString& name)
{
    return static_cast<int>(StaffChoices(staff).indexOf(name));
}

QStringList AreaChoices(const TLayOutTree& tree)
{
    QStringList names;
    for (const auto& node : tree.Layouts)
        names << node->Name;
    return names;
}

QStringList PositionChoices(const TLayOutTree& tree, const QString& area)
{
    QStringList names;
    for (const auto& node : tree.Layouts) {
        if (node->Name != area)
            continue;
        for (const TLayOutPoint& p : node->Points)
            names << p.Name;
        break;
    }
    return names;
}

std::optional<TEditProblem> CheckDutyInput(const TTextGrid& staff, const TDutyInput& input)
{
    if (input.StaffChoice < 0 || input.StaffChoice >= staff.DataRowCount())
        return TEditProblem{TEditField::Staff, TxtCaptionWarning, TxtStaffChooseStaff};
    if (!input.Area)
        return TEditProblem{TEditField::Area, TxtCaptionWarning, TxtStaffChooseArea};
    if (!input.Position)
        return TEditProblem{TEditField::Position, TxtCaptionWarning, TxtStaffChoosePosition};
    return std::nullopt;
}

QStringList DutyRow(const TTextGrid& staff, const TDutyInput& input)
{
    QStringList row;
    row << staff.Cell(input.StaffChoice, StaffNumber) << staff.Cell(input.StaffChoice, StaffName)
        << RosterTimeText(input.Start) << RosterTimeText(input.End) << input.Area.value_or(QString())
        << input.Position.value_or(QString());
    return row;
}
