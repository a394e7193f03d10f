#pragma once
// The history conditions dialog: dates, area and position, service type,
// server, service-time range, state and processing person.
#include <QDialog>

class QCheckBox;
class QDate;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QTimeEdit;
struct TEnvironment;
struct THistoryQuery;
struct TLayOutTree;

class TFrm_HistoryTerm final : public QDialog {
    Q_OBJECT
public:
    // env: the service types and state texts offered, and the pickers' date format.
    TFrm_HistoryTerm(QWidget* parent, const TLayOutTree& tree, const TEnvironment& env);

    // Fills the controls from the conditions (when the dialog is created); an end
    // date left at today shows today.
    void ShowConditions(const THistoryQuery& q, const QDate& today);
    // The conditions as the controls hold them, without any check (OK); an end
    // date of today is kept as "today".
    void StoreConditions(THistoryQuery& q, const QDate& today) const;

    QDateEdit* Dtp_SDate;
    QDateEdit* Dtp_EDate;
    QComboBox* Cbx_Area;
    QComboBox* Cbx_Desktop;
    QComboBox* Cbx_SvrType;
    QLineEdit* Edt_SvrPersonnel;
    QCheckBox* Chk_SvrTime;
    QTimeEdit* Dtp_SSvrTime;
    QTimeEdit* Dtp_ESvrTime;
    QComboBox* Cbx_SvrState;
    QLineEdit* Edt_ProcPersonnel;

    // The position list follows the chosen area.
    void Cbx_AreaChange();

private:
    const TLayOutTree& tree_;
};
