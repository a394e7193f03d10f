#pragma once
// The layout editor window: the layout tree on the left, the selected layout's
// call points on the panel to its right. Closed by the window's close button,
// which offers to save the changes.
#include "core/Config.h"
#include "layout/LayoutEditModel.h"

#include <QDialog>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTreeWidgetItem;
class TDM_Sys;
class TFrm_CallPointEdt;
class TLayOutTreeWidget;

class TFrm_LayOutEdit : public QDialog {
    Q_OBJECT
public:
    // cfg: the settings whose colours the call points are drawn in.
    TFrm_LayOutEdit(TDM_Sys& store, const TConfig& cfg, QWidget* parent = nullptr);
    ~TFrm_LayOutEdit() override;

    // Reads the stored layouts and shows the root; false with the store's error.
    bool Load(QString* error);

    const TLayOutEditModel& Model() const { return model_; }
    // The images of the selected layout's points, at their point indexes.
    const std::vector<QLabel*>& Images() const { return images_; }
    QFrame* Panel() const { return Pnl_LayOut; }

    // Layout menu.
    void Mnu_AddLayOutClick();
    void Mnu_ModiLayOutClick();
    void Mnu_DelLayOutClick();
    // Point menu; `index` is the image the menu was opened on.
    void Mnu_AddPointClick();
    void Mnu_ModiPointClick(int index);
    void Mnu_DelPointClick(int index);
    void Mnu_EmptyPointClick();

    // Closing: with changes, asks whether to save; Cancel keeps the editor open,
    // and so does a failed save, with its error shown.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    void FillTree();
    void Tvw_LayOutChange(QTreeWidgetItem* current);
    void Tvw_LayOutEdited(QTreeWidgetItem* item);
    void Tvw_LayOutContextPopup(const QPoint& pos);
    void Tvw_LayOutDrop(int from, int onto);
    void ShowPoints();
    QLabel* AddImage(int index);
    void RefreshCallPoint(int index);
    void ShowPointMenu(int index, const QPoint& globalPos);
    bool PointImageEvent(int index, QEvent* event);
    bool Confirmed(int textId);

    TDM_Sys& store_;
    const TConfig cfg_;
    TLayOutEditModel model_;
    TLayOutPoint editRecord_;
    std::vector<QLabel*> images_;
    TFrm_CallPointEdt* callPointEdt_ = nullptr;   // made on first use, kept until the editor closes

    bool dragging_ = false;
    QPoint dragGrab_;        // pointer position within the image where the drag began
    int menuPoint_ = -1;     // image the point menu was opened on; -1 for the bare panel

    TLayOutTreeWidget* Tvw_LayOut;
    QFrame* Pnl_LayOut;
    QMenu* Pmnu_LayOut;
    QAction* Mnu_AddLayOut;
    QAction* Mnu_ModiLayOut;
    QAction* Mnu_DelLayOut;
    QMenu* Pmnu_Point;
    QAction* Mnu_AddPoint;
    QAction* Mnu_ModiPoint;
    QAction* Mnu_DelPoint;
    QAction* Mnu_EmptyPoint;
};
