#include "reports/StatReports.h"

#include "reports/TableSink.h"

bool WriteStatReport(const TStatReport& report, ITableSink& sink, QString* error)
{
    const TStatGrid& grid = report.Grid;
    TTableLayout layout{report.Caption, {}, grid.Kinds, std::vector<int>(grid.Kinds.size(), 127), {report.Caption}};
    if (!report.Period.isEmpty())
        layout.Heading << report.Period;
    for (const QVariant& title : grid.Rows.at(0))
        layout.Titles << title.toString();
    const std::vector<std::vector<QVariant>> rows(grid.Rows.begin() + 1, grid.Rows.end());
    return WriteTable(sink, layout, rows, error);
}
