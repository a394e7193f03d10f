#pragma once
// callstation report staff|position [--period today|week|month | --from D --to D]
//   [--staff NAME] [--area A] [--position P] [--out FILE]
// callstation report monthly [--month yyyy-MM] | yearly [--year yyyy]
// callstation report response --by staff|position|hour [--period ... | --from D --to D]
// --out writes .xlsx, .csv or the print-out as .pdf.
#include <QStringList>

struct TEnvironment;

int RunReportCommand(const TEnvironment& env, const QStringList& args);
// Whether args print the report into a PDF file (which needs a GUI application).
bool ReportDraws(const QStringList& args);
