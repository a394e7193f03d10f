#include "layout/ui/LayOutEdit.h"

#include "core/Config.h"
#include "core/ResStrings.h"
#include "core/ui/Colors.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "layout/ui/CallPointEdt.h"
#include "layout/ui/LayOutTreeWidget.h"
#include "layout/ui/PointDrawing.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

namespace {

constexpr int Margin = 10;
constexpr int TreeWidth = 201;
constexpr int PanelGap = 5;

QAction* MenuItem(QMenu* menu, const QString& name, int textId)
{
    QAction* action = menu->addAction(LoadResStr(textId));
    action->setObjectName(name);
    return action;
}

// Images go away later: one of them may be the object whose event is being handled.
void DropImage(QLabel* image)
{
    image->hide();
    image->deleteLater();
}

} // namespace

TFrm_LayOutEdit::TFrm_LayOutEdit(TDM_Sys& store, const TConfig& cfg, QWidget* parent)
    : QDialog(parent), store_(store), cfg_(cfg)
{
    setObjectName(QStringLiteral("Frm_LayOutEdit"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    SetupStationDialog(this, 1001);

    Tvw_LayOut = new TLayOutTreeWidget(true, this);
    Tvw_LayOut->setContextMenuPolicy(Qt::CustomContextMenu);

    Pnl_LayOut = new QFrame(this);
    Pnl_LayOut->setObjectName(QStringLiteral("Pnl_LayOut"));
    Pnl_LayOut->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Pnl_LayOut->setAutoFillBackground(true);
    Pnl_LayOut->installEventFilter(this);

    BuildMenus();
    connect(Tvw_LayOut, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { Tvw_LayOutChange(current); });
    connect(Tvw_LayOut, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { Tvw_LayOutEdited(item); });
    connect(Tvw_LayOut, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Tvw_LayOutContextPopup(pos); });
    // Queued: the tree is refilled, which must not happen inside its own drop.
    connect(Tvw_LayOut, &TLayOutTreeWidget::LayoutDropped, this,
            [this](int from, int onto) { Tvw_LayOutDrop(from, onto); }, Qt::QueuedConnection);

    resize(942, 640);
}

TFrm_LayOutEdit::~TFrm_LayOutEdit() = default;

void TFrm_LayOutEdit::BuildMenus()
{
    Pmnu_LayOut = new QMenu(this);
    Mnu_AddLayOut = MenuItem(Pmnu_LayOut, QStringLiteral("Mnu_AddLayOut"), 1002);
    Mnu_ModiLayOut = MenuItem(Pmnu_LayOut, QStringLiteral("Mnu_ModiLayOut"), 1003);
    Mnu_DelLayOut = MenuItem(Pmnu_LayOut, QStringLiteral("Mnu_DelLayOut"), 1004);
    connect(Mnu_AddLayOut, &QAction::triggered, this, [this] { Mnu_AddLayOutClick(); });
    connect(Mnu_ModiLayOut, &QAction::triggered, this, [this] { Mnu_ModiLayOutClick(); });
    connect(Mnu_DelLayOut, &QAction::triggered, this, [this] { Mnu_DelLayOutClick(); });

    Pmnu_Point = new QMenu(this);
    Mnu_AddPoint = MenuItem(Pmnu_Point, QStringLiteral("Mnu_AddPoint"), 1008);
    Mnu_ModiPoint = MenuItem(Pmnu_Point, QStringLiteral("Mnu_ModiPoint"), 1009);
    Mnu_DelPoint = MenuItem(Pmnu_Point, QStringLiteral("Mnu_DelPoint"), 1010);
    Pmnu_Point->addSeparator();
    Mnu_EmptyPoint = MenuItem(Pmnu_Point, QStringLiteral("Mnu_EmptyPoint"), 1011);
    connect(Mnu_AddPoint, &QAction::triggered, this, [this] { Mnu_AddPointClick(); });
    connect(Mnu_ModiPoint, &QAction::triggered, this, [this] { Mnu_ModiPointClick(menuPoint_); });
    connect(Mnu_DelPoint, &QAction::triggered, this, [this] { Mnu_DelPointClick(menuPoint_); });
    connect(Mnu_EmptyPoint, &QAction::triggered, this, [this] { Mnu_EmptyPointClick(); });
}

bool TFrm_LayOutEdit::Load(QString* error)
{
    const bool read = model_.Load(store_, error);
    FillTree();
    ShowPoints();
    return read;
}

void TFrm_LayOutEdit::FillTree()
{
    Tvw_LayOut->Fill(model_.Tree());
}

void TFrm_LayOutEdit::Tvw_LayOutChange(QTreeWidgetItem* current)
{
    model_.Select(TLayOutTreeWidget::LayoutIndex(current));
    ShowPoints();
}

void TFrm_LayOutEdit::Tvw_LayOutEdited(QTreeWidgetItem* item)
{
    const int index = TLayOutTreeWidget::LayoutIndex(item);
    if (index < 0)
        return;
    const std::optional<QString> stored = model_.RenameLayout(index, item->text(0));
    const QSignalBlocker block(Tvw_LayOut);
    item->setText(0, stored.value_or(model_.Layout(index).Name));
}

void TFrm_LayOutEdit::Tvw_LayOutContextPopup(const QPoint& pos)
{
    QTreeWidgetItem* item = Tvw_LayOut->itemAt(pos);
    if (!item)
        return;
    Tvw_LayOut->setCurrentItem(item);
    const bool layout = TLayOutTreeWidget::LayoutIndex(item) >= 0;
    Mnu_ModiLayOut->setEnabled(layout);
    Mnu_DelLayOut->setEnabled(layout);
    Pmnu_LayOut->exec(Tvw_LayOut->viewport()->mapToGlobal(pos));
}

void TFrm_LayOutEdit::Tvw_LayOutDrop(int from, int onto)
{
    if (model_.MoveLayout(from, onto))
        FillTree();
}

void TFrm_LayOutEdit::Mnu_AddLayOutClick()
{
    const int index = model_.AddLayout();
    FillTree();
    ShowPoints();
    Tvw_LayOut->editItem(Tvw_LayOut->LayoutItem(index));
}

void TFrm_LayOutEdit::Mnu_ModiLayOutClick()
{
    if (QTreeWidgetItem* item = Tvw_LayOut->LayoutItem(model_.SelectedIndex()))
        Tvw_LayOut->editItem(item);
}

void TFrm_LayOutEdit::Mnu_DelLayOutClick()
{
    const int index = model_.SelectedIndex();
    if (index < 0 || !Confirmed(1007))
        return;
    model_.DeleteLayout(index);
    FillTree();
    ShowPoints();
}

void TFrm_LayOutEdit::ShowPoints()
{
    std::for_each(images_.begin(), images_.end(), DropImage);
    images_.clear();
    dragging_ = false;
    if (const TLayOutPoints* points = model_.SelectedPoints()) {
        for (size_t i = 0; i < points->size(); ++i)
            images_.push_back(AddImage(static_cast<int>(i)));
    }
}

QLabel* TFrm_LayOutEdit::AddImage(int index)
{
    QLabel* image = CreateCallPointImage(model_.SelectedPoints()->at(static_cast<size_t>(index)), index, Pnl_LayOut,
                                         cfg_);
    image->installEventFilter(this);
    return image;
}

void TFrm_LayOutEdit::RefreshCallPoint(int index)
{
    QLabel* old = images_.at(static_cast<size_t>(index));
    QLabel* fresh = AddImage(index);
    fresh->stackUnder(old);   // keeps the place among overlapping points
    DropImage(old);
    images_[static_cast<size_t>(index)] = fresh;
}

void TFrm_LayOutEdit::ShowPointMenu(int index, const QPoint& globalPos)
{
    if (!model_.SelectedPoints())
        return;
    menuPoint_ = index;
    Mnu_ModiPoint->setEnabled(index >= 0);
    Mnu_DelPoint->setEnabled(index >= 0);
    Pmnu_Point->exec(globalPos);
}

void TFrm_LayOutEdit::Mnu_AddPointClick()
{
    if (!model_.SelectedPoints())
        return;
    if (!callPointEdt_)
        callPointEdt_ = new TFrm_CallPointEdt(model_, this);
    if (!callPointEdt_->Execute(true, editRecord_))
        return;
    images_.push_back(AddImage(model_.AddPoint(editRecord_)));
}

void TFrm_LayOutEdit::Mnu_ModiPointClick(int index)
{
    const TLayOutPoints* points = model_.SelectedPoints();
    if (!points || index < 0 || index >= static_cast<int>(points->size()))
        return;
    if (!callPointEdt_)
        callPointEdt_ = new TFrm_CallPointEdt(model_, this);
    editRecord_ = points->at(static_cast<size_t>(index));
    if (!callPointEdt_->Execute(false, editRecord_))
        return;
    model_.ModifyPoint(index, editRecord_);
    RefreshCallPoint(index);
}

void TFrm_LayOutEdit::Mnu_DelPointClick(int index)
{
    const TLayOutPoints* points = model_.SelectedPoints();
    if (!points || index < 0 || index >= static_cast<int>(points->size()) || !Confirmed(1021))
        return;
    model_.DeletePoint(index);
    ShowPoints();   // the later images take their new indexes
}

void TFrm_LayOutEdit::Mnu_EmptyPointClick()
{
    if (!model_.SelectedPoints() || !Confirmed(1022))
        return;
    model_.EmptyPoints();
    ShowPoints();
}

bool TFrm_LayOutEdit::Confirmed(int textId)
{
    return AskYesNo(this, LoadResStr(textId), 111);
}

bool TFrm_LayOutEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Pnl_LayOut && event->type() == QEvent::ContextMenu) {
        ShowPointMenu(-1, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    const auto image = std::find(images_.begin(), images_.end(), watched);
    if (image != images_.end())
        return PointImageEvent(static_cast<int>(image - images_.begin()), event);
    return QDialog::eventFilter(watched, event);
}

bool TFrm_LayOutEdit::PointImageEvent(int index, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ContextMenu:
        ShowPointMenu(index, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        dragging_ = true;
        dragGrab_ = mouse->position().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        if (!dragging_)
            return false;
        QLabel* image = images_[static_cast<size_t>(index)];
        const QPoint pos = DraggedPointPos(image->geometry(), dragGrab_,
                                           static_cast<QMouseEvent*>(event)->position().toPoint(), Pnl_LayOut->size());
        image->move(pos);
        model_.MovePoint(index, pos);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        dragging_ = false;
        return true;
    default:
        return false;
    }
}

void TFrm_LayOutEdit::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int height = this->height() - 2 * Margin;
    Tvw_LayOut->setGeometry(Margin, Margin, TreeWidth, height);
    const int left = Margin + TreeWidth + PanelGap;
    Pnl_LayOut->setGeometry(left, Margin, width() - PanelGap - left, height);
}

void TFrm_LayOutEdit::keyPressEvent(QKeyEvent* event)
{
    // Only the window's close button ends the editor, so a stray Escape cannot.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrm_LayOutEdit::reject()
{
    if (model_.Changed()) {
        const QMessageBox::StandardButton answer =
            AskYesNoCancel(this, LoadResStr(1026), 111);
        if (answer == QMessageBox::Yes) {
            QString error;
            if (!model_.Save(store_, &error)) {
                ShowError(this, error);
                return;
            }
            done(QDialog::Accepted);
            return;
        }
        if (answer != QMessageBox::No)
            return;
    }
    QDialog::reject();
}
