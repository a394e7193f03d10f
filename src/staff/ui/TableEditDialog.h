#pragma once
// The duty row dialog: a staff member, a span of the day and a call point chosen
// by area and position from the main window's layouts.
#include "staff/DutyEdit.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;
class QTimeEdit;

class TFrm_TableEdit final : public QDialog {
    Q_OBJECT
public:
    // The area choice is taken from the tree once, here.
    TFrm_TableEdit(QWidget* parent, const TLayOutTree& mainTree);

    // row nullptr adds (nothing chosen, both times midnight); otherwise the
    // choices start from that duty row. The grid must outlive the dialog's run.
    void Start(const TTextGrid& staff, const QStringList* row);
    // The accepted entry as a duty grid row.
    QStringList Row() const { return DutyRow(*staff_, Input()); }

    QComboBox* Cbx_Name;
    QTimeEdit* Dtp_STime;
    QTimeEdit* Dtp_ETime;
    QComboBox* Cbx_Area;
    QComboBox* Cbx_Position;
    QPushButton* Btn_Ok = nullptr;
    QPushButton* Btn_Cancel = nullptr;

private:
    void Cbx_AreaChange();
    void Btn_OkClick();
    TDutyInput Input() const;

    const TLayOutTree& tree_;
    const TTextGrid* staff_ = nullptr;
};
