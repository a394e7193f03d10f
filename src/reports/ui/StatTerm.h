#pragma once
// The statistics conditions dialog: the report's Tag chooses its rows (staff and
// period; area, position and period; a year; a month; a period only).
#include <QDate>
#include <QDialog>
#include <QStringList>

class QComboBox;
class QDateEdit;
class QGridLayout;
class QLabel;
struct TLayOutTree;
struct TReportRequest;

enum TStatTermTag : int {
    StaffTerm = 1,
    PositionTerm = 2,
    YearTerm = 3,
    MonthTerm = 4,
    PeriodTerm = 5,   // the response-time report: the period only
};

class TFrm_StatTerm final : public QDialog {
    Q_OBJECT
public:
    // staff: the names of the staff list in table order; pickerFormat: how the period's dates show.
    TFrm_StatTerm(QWidget* parent, const TLayOutTree& tree, const QStringList& staff, const QDate& today,
                  const QString& pickerFormat);

    // Shows the rows of tag only.
    void SetTag(int tag);
    int Tag() const { return tag_; }
    // The conditions into the request (kind and dates it already has stay).
    void StoreConditions(TReportRequest& r) const;

    QComboBox* Cbx_Staff;
    QComboBox* Cbx_Area;
    QComboBox* Cbx_Desktop;
    QDateEdit* Dtp_SDate;
    QDateEdit* Dtp_EDate;
    QDateEdit* Dtp_Year;
    QDateEdit* Dtp_Month;

    void Cbx_AreaChange();

private:
    struct TRow {
        QLabel* Label;
        QList<QWidget*> Controls;
        QList<int> Tags;
    };
    void AddRow(QGridLayout* grid, int label, const QList<QWidget*>& controls, const QList<int>& tags);

    const TLayOutTree& tree_;
    std::vector<TRow> rows_;
    int tag_ = 0;
};
