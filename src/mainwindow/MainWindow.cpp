#include "mainwindow/MainWindow.h"

#include "calls/ui/PopupWin.h"
#include "core/Clock.h"
#include "core/LogCategories.h"
#include "core/ResStrings.h"
#include "station/ui/BaseSetDialog.h"
#include "core/ui/Colors.h"
#include "core/ui/Messages.h"
#include "core/ui/StationDialog.h"
#include "devices/ui/BindSet.h"
#include "devices/ui/CopyData.h"
#include "devices/ui/LedSet.h"
#include "layout/LayoutModel.h"
#include "layout/ui/LayoutEditor.h"
#include "layout/ui/PointDrawing.h"
#include "maintenance/ui/BackupDialog.h"
#include "maintenance/ui/CleanupDialog.h"
#include "maintenance/ui/RestoreDialog.h"
#include "mainwindow/AboutBox.h"
#include "mainwindow/CallViews.h"
#include "mainwindow/HitTest.h"
#include "operators/ui/OperatorDialogs.h"
#include "reports/ui/HistoryWindow.h"
#include "reports/ui/StatisticsWindow.h"
#include "staff/ui/UserManage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <array>

namespace {

constexpr int StartWidth = 956;
constexpr int StartHeight = 608;
constexpr int SysCellWidth = 25;
constexpr int SysCellHeight = 18;
// The smallest window keeps every face button, the caption with its system buttons, a work area
// of this height and the status line in view.
constexpr int FrameRightMargin = 8;
constexpr int WorkAreaTop = 105;
constexpr int StatusLineHeight = 28;
constexpr int MinWorkAreaHeight = 150;

const QColor DisabledText = ToQColor(Silver);
const QColor LineGrey = ToQColor(Silver);

constexpr int MenuBackup = 227;
constexpr int MenuRestore = 228;
constexpr int MenuCleanup = 229;

}  // namespace

// The images live in the static window library, whose resources the linker
// keeps only when they are registered by name (outside any namespace).
static void InitStationResources() { Q_INIT_RESOURCE(station); }

TFrm_Main::TFrm_Main(TStation& station, const IClock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      station_(station),
      env_(station.Environment()),
      status_(this),
      views_(new TCallViews(station_.LayoutTree(), station_.Tracker().CallRecordGrid(),
                            station_.Tracker().UnprocGrid(), env_, this)),
      popup_(new TFrm_PopupWin(station_.Tracker().Popup(), this)),
      maintenanceMenu_(new QMenu(this)),
      clock_(clock)
{
    InitStationResources();
    station_.SetEvents(this);
    sysButtons_.load(QStringLiteral(":/sysbtn.png"));
    setObjectName(QStringLiteral("Frm_Main"));
    setFont(StationFont());
    setWindowIcon(QIcon(QStringLiteral(":/station.png")));
    setMouseTracking(true);
    resize(StartWidth, StartHeight);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    const QFontMetrics metrics(font());
    buttons_.InitMainFaceButton(width(), [&metrics](const QString& text) { return metrics.horizontalAdvance(text); });
    setMinimumSize(buttons_.Button(BtnAbout).Right + FrameRightMargin,
                   WorkAreaTop + MinWorkAreaHeight + StatusLineHeight);

    maintenanceMenu_->addAction(LoadResStr(MenuBackup), this, [this] { RunBackupDialog(this, env_.DataDir); });
    maintenanceMenu_->addAction(LoadResStr(MenuRestore), this, [this] {
        RunRestoreDialog(this, station_, *this, login_, [this] {
            if (login_.LoggedIn)
                LoginProcess(login_.Popedom);
            else
                LogoffProcess();
        });
    });
    maintenanceMenu_->addAction(LoadResStr(MenuCleanup), this, [this] { RunCleanupDialog(this, station_.Store(), env_.Formats.Picker); });

    connect(&station_, &TStation::PortStatusChanged, this,
            [this](const QString& text, bool isError) {
                // Why the port failed (busy, or which group the user must join) goes to the message line.
                const QString why = isError ? station_.Port().OpenFailureText() : QString();
                status_.SetPortStatus(text, isError, why);
                if (!why.isEmpty())
                    status_.SetMessage(why);
                update(0, height() - 23, width(), 23);  // the separators follow the labels
            });
    connect(&station_, &TStation::CallLogStatusChanged, this, [this](const QString& text, bool isError) {
        status_.SetLogStatus(text, isError);
        update(0, height() - 23, width(), 23);
    });
    connect(&station_, &TStation::CentralLinkChanged, this, [this](const TCentralLinkState& state) {
        status_.SetCentralLink(state);
        update(0, height() - 23, width(), 23);
    });
    status_.ShowLinkCounts([this] { return station_.LinkCounts(); });
    clockTimer_.setInterval(1000);
    connect(&clockTimer_, &QTimer::timeout, this, [this] { status_.SetClock(ClockText(clock_, env_.Formats.Display)); });
}

TFrm_Main::~TFrm_Main()
{
    // Live calls are logged while the windows they report to still exist;
    // the views and the popup show the station's grids and slots, so they go first.
    station_.Close();
    station_.SetEvents(nullptr);
    tray_.reset();
    delete popup_;
    delete views_;
}

bool TFrm_Main::Start(QString* error)
{
    if (!station_.Start(error))
        return false;
    // Hidden to the tray, the station must keep running until its exit is confirmed.
    QApplication::setQuitOnLastWindowClosed(false);
    SetCaption(env_.Config.Title);
    historyQuery_ = DefaultHistoryQuery(clock_.Today());
    views_->ReloadTree();
    status_.SetClock(ClockText(clock_, env_.Formats.Display));
    if (env_.Config.TopMost)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (env_.Config.TrayIcon)
        CreateTrayIcon();
    clockTimer_.start();
    return true;
}

// ---- face buttons -------------------------------------------------------

void TFrm_Main::TrackButtons(const std::function<void()>& change)
{
    std::array<std::pair<int, QString>, FuncButtonCount> before;
    for (int n = 1; n <= FuncButtonCount; ++n)
        before[n - 1] = {buttons_.DrawState(n), buttons_.Button(n).Caption};
    change();
    for (int n = 1; n <= FuncButtonCount; ++n) {
        if (before[n - 1] != std::pair(buttons_.DrawState(n), buttons_.Button(n).Caption))
            update(ButtonRect(n));
    }
}

QRect TFrm_Main::ButtonRect(int n) const
{
    const TFuncButton& b = buttons_.Button(n);
    return QRect(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
}

void TFrm_Main::LoginProcess(int32_t popedom)
{
    TrackButtons([&] { buttons_.LoginProcess(popedom); });
}

void TFrm_Main::LogoffProcess()
{
    TrackButtons([&] { buttons_.LogoffProcess(); });
}

void TFrm_Main::SetLogin(const TLoginMsg& login)
{
    login_ = login;
    if (login_.LoggedIn)
        LoginProcess(login_.Popedom);
    else
        LogoffProcess();
}

void TFrm_Main::RunButtonAction(int n)
{
    TDM_Sys& store = station_.Store();
    switch (FaceButtonAction(n, {login_.LoggedIn, login_.Popedom, CanHideToTray()})) {
    case TFaceAction::None:
        break;
    case TFaceAction::Minimise:
        showMinimized();
        break;
    case TFaceAction::ToggleMaximise:
        ToggleMaximised();
        break;
    case TFaceAction::HideToTray:
        hide();
        break;
    case TFaceAction::AskExit:
        ExitStation();
        break;
    case TFaceAction::Logoff:
        login_.LoggedIn = false;
        LogoffProcess();
        break;
    case TFaceAction::Login:
        if (RunLoginDialog(this, store, login_)) {
            login_.LoggedIn = true;
            LoginProcess(login_.Popedom);
        }
        break;
    case TFaceAction::OperatorManage:
        RunOperatorManage(this, store, login_);
        break;
    case TFaceAction::ChangePassword:
        RunChangePassword(this, store, login_);
        break;
    case TFaceAction::BaseSet:
        RunBaseSetDialog(this, env_, *this, station_.Port().CurrentDevice());
        ApplyTopMost();
        break;
    case TFaceAction::LayoutEditor:
        if (RunLayoutEditor(this, store, env_.Config))
            station_.RaiseLayoutChange();
        break;
    case TFaceAction::StaffEditor:
        if (RunUserManage(this, store, station_.LayoutTree())) {
            QString error;
            if (!station_.ReopenRosterQueries(&error))
                StoreError(error);
        }
        break;
    case TFaceAction::LedSet:
        RunLedSet(this, station_.Line(), station_.DeviceReplies(), clock_, env_.ConfigPath);
        break;
    case TFaceAction::CopyData:
        RunCopyData(this, station_.Line(), station_.DeviceReplies(), clock_);
        break;
    case TFaceAction::BindSet:
        RunBindSet(this, station_.Line(), station_.DeviceReplies());
        break;
    case TFaceAction::History:
        RunHistory(this, station_.LayoutTree(), historyQuery_, env_);
        break;
    case TFaceAction::Statistics:
        RunStatistics(this, store, station_.LayoutTree(), clock_.Today(), env_);
        break;
    case TFaceAction::MaintenanceMenu: {
        const TFuncButton& b = buttons_.Button(n);
        maintenanceMenu_->popup(mapToGlobal(QPoint(b.Left, b.Bottom)));
        break;
    }
    case TFaceAction::About:
        RunAboutBox(this, env_.Config.Title);
        break;
    }
}

// ---- window order, tray and exit ----------------------------------------

void TFrm_Main::ToggleMaximised()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void TFrm_Main::ApplyTopMost()
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != env_.Config.TopMost) {
        // Changing the flag re-creates the native window hidden.
        const bool visible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, env_.Config.TopMost);
        if (visible)
            show();
    }
    if (!env_.Config.TopMost)
        lower();
}

void TFrm_Main::ShowMainFace()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool TFrm_Main::CanHideToTray() const
{
    // Without a notification area a hidden station could never be shown again.
    return env_.Config.TrayIcon && tray_ && QSystemTrayIcon::isSystemTrayAvailable();
}

bool TFrm_Main::ConfirmExit()
{
    return AskYesNo(this, LoadResStr(235));
}

void TFrm_Main::ExitStation()
{
    if (!ConfirmExit())
        return;
    exitConfirmed_ = true;
    close();
}

void TFrm_Main::closeEvent(QCloseEvent* event)
{
    if (!exitConfirmed_) {
        if (CanHideToTray()) {
            event->ignore();
            hide();
            return;
        }
        if (!ConfirmExit()) {
            event->ignore();
            return;
        }
    }
    event->accept();
    Shutdown();
}

void TFrm_Main::Shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    exitConfirmed_ = true;
    station_.Close();
    DestoryTrayIcon();
    popup_->hide();
    hide();
    QCoreApplication::quit();
}

void TFrm_Main::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Once the main window is up, or it would cover the popup shown before it.
    QTimer::singleShot(0, popup_, &TFrm_PopupWin::ShowInFront);
}

// ---- station events -----------------------------------------------------

void TFrm_Main::CallOpened(const TCallRecord&, const QString& eventText) { status_.SetMessage(eventText); }

void TFrm_Main::CallRestored(const TCallRecord&, const QString&)
{
    status_.SetMessage(LoadResStr(3404).arg(station_.Tracker().Records().Count()));
}

void TFrm_Main::StoreError(const QString& error)
{
    qCWarning(LogMainWindow, "data store: %s", qUtf8Printable(error));
    status_.SetMessage(error);
}

void TFrm_Main::LayoutsReloaded() { views_->ReloadTree(); }

void TFrm_Main::LayoutCountsChanged() { views_->RepaintTree(); }

void TFrm_Main::PointImageChanged(int pointIndex) { views_->RepaintPoint(pointIndex); }

void TFrm_Main::GridsChanged() { views_->RefreshGrids(); }

void TFrm_Main::PopupChanged(bool showWindow)
{
    popup_->RefreshSlots();
    if (showWindow)
        popup_->ShowInFront();
}

// ---- settings applied to the face ---------------------------------------

void TFrm_Main::SetCaption(const QString& title)
{
    setWindowTitle(title);
    QGuiApplication::setApplicationDisplayName(title);
    if (tray_)
        tray_->SetTitle(title);
    update(0, 0, width(), 30);
}

void TFrm_Main::RepaintGrids() { views_->RefreshGrids(); }

void TFrm_Main::CreateTrayIcon()
{
    if (tray_)
        return;
    tray_ = std::make_unique<TTrayIcon>(windowIcon(), windowTitle(), nullptr);
    connect(tray_.get(), &TTrayIcon::ShowMainFace, this, &TFrm_Main::ShowMainFace);
    connect(tray_.get(), &TTrayIcon::About, this, [this] { RunAboutBox(this, env_.Config.Title); });
    connect(tray_.get(), &TTrayIcon::Exit, this, &TFrm_Main::ExitStation);
}

void TFrm_Main::DestoryTrayIcon() { tray_.reset(); }

void TFrm_Main::ChangePort() { station_.ApplyPortSettings(); }

// ---- painting -----------------------------------------------------------

void TFrm_Main::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    const int h = height();

    p.setPen(ToQColor(FrameGrey));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRect(0, 0, w - 1, h - 1), 5, 5);

    p.drawPixmap(8, 8, windowIcon().pixmap(16, 16));

    QFont captionFont = font();
    captionFont.setPointSize(10);
    captionFont.setBold(true);
    p.setFont(captionFont);
    p.setPen(ToQColor(isActiveWindow() ? SelectionBlue : SkyBlue));
    const QRect captionRect(30, 10, buttons_.Button(BtnMinimise).Left - 34, 20);
    p.drawText(captionRect, Qt::AlignLeft | Qt::AlignTop,
               QFontMetrics(captionFont).elidedText(windowTitle(), Qt::ElideRight, captionRect.width()));

    p.setPen(LineGrey);
    p.drawLine(8, 30, w - 8, 30);
    p.setPen(Qt::white);
    p.drawLine(8, 31, w - 8, 31);

    for (const int edge : {status_.MessageRight(), status_.PortRight()}) {
        p.setPen(ToQColor(SkyBlue));
        p.drawLine(edge + 1, h - 23, edge + 1, h - 2);
        p.setPen(Qt::white);
        p.drawLine(edge + 2, h - 23, edge + 2, h - 2);
    }

    for (int n = 1; n <= FuncButtonCount; ++n)
        DrawFaceButton(p, n, buttons_.DrawState(n));

    DrawFrame(p);
}

void TFrm_Main::DrawFrame(QPainter& p) const
{
    const QRect frame(QPoint(13, 105), QPoint(width() - 9, height() - 29));
    p.setPen(ToQColor(SkyBlue));
    p.setBrush(Qt::white);
    p.drawRoundedRect(frame, 2.5, 2.5);
    p.setPen(Qt::white);
    p.drawRoundedRect(frame.adjusted(1, 1, -1, -1), 2.5, 2.5);
}

void TFrm_Main::DrawFaceButton(QPainter& p, int n, int state) const
{
    const TFuncButton& b = buttons_.Button(n);
    if (b.Kind == SysButtonKind) {
        DrawSysButton(p, n, state);
        return;
    }
    QImage surface(b.Right - b.Left, b.Bottom - b.Top, QImage::Format_RGB32);
    DrawButtonFace(surface, state == DrawHighlighted ? SkyBlue : FaceGrey,
                   b.Kind == FaceButtonKind ? TFaceStyle::Square : TFaceStyle::Tab);
    QPainter face(&surface);
    face.setFont(font());
    if (state == DrawDisabled)
        face.setPen(b.Kind == FaceButtonKind ? DisabledText : palette().color(QPalette::Button));
    else
        face.setPen(palette().color(QPalette::WindowText));
    face.drawText(surface.rect(), Qt::AlignCenter | Qt::TextSingleLine, b.Caption);
    face.end();
    p.drawImage(b.Left, b.Top, surface);
}

void TFrm_Main::DrawSysButton(QPainter& p, int n, int state) const
{
    if (sysButtons_.isNull())
        return;
    int row = 3;
    if (n == BtnMinimise)
        row = 0;
    else if (n == BtnMaximise)
        row = isMaximized() ? 2 : 1;
    const int column = state == DrawNormal ? 0 : 1;
    const TFuncButton& b = buttons_.Button(n);
    p.drawImage(QPoint(b.Left, b.Top), sysButtons_,
                QRect(column * SysCellWidth, row * SysCellHeight, SysCellWidth, SysCellHeight));
}

void TFrm_Main::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    buttons_.PlaceSysButtons(width());
    views_->PlaceFor(size());
    status_.Place(size());
    update();
}

void TFrm_Main::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        update(0, 0, width(), 30);
    else if (event->type() == QEvent::WindowStateChange)
        update(ButtonRect(BtnMaximise));
}

// ---- mouse --------------------------------------------------------------

void TFrm_Main::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const THitZone zone = MainHitTest(pos, size(), buttons_.JudgeMousePosition(pos) != 0);
    if (zone == THitZone::Caption) {
        windowHandle()->startSystemMove();
        return;
    }
    if (const Qt::Edges edges = ResizeEdges(zone); edges && !isMaximized()) {
        windowHandle()->startSystemResize(edges);
        return;
    }
    int tab = 0;
    TrackButtons([&] { tab = buttons_.MouseDown(pos); });
    if (tab >= BtnLayoutTab)
        views_->ShowView(static_cast<TCallViews::View>(tab - BtnLayoutTab));
}

void TFrm_Main::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton &&
        MainHitTest(pos, size(), buttons_.JudgeMousePosition(pos) != 0) == THitZone::Caption)
        ToggleMaximised();
    else
        mousePressEvent(event);
}

void TFrm_Main::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    int action = 0;
    TrackButtons([&] { action = buttons_.MouseUp(pos); });
    if (action != 0)
        RunButtonAction(action);
}

void TFrm_Main::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool overButton = buttons_.JudgeMousePosition(pos) != 0;
    if (event->buttons() == Qt::NoButton)
        setCursor(isMaximized() ? Qt::ArrowCursor : ZoneCursor(MainHitTest(pos, size(), overButton)));
    TrackButtons([&] { buttons_.MouseMove(pos); });
}

void TFrm_Main::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    TrackButtons([&] { buttons_.MouseLeave(); });
}
