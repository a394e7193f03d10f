#pragma once
// The station's main window: borderless, with its own title band, system
// buttons, face buttons, view tabs, work area, status line and tray icon. It
// is given the station, becomes its face and shows what the station reports.
#include "calls/CallEvents.h"
#include "station/ApplySettings.h"
#include "station/Station.h"
#include "mainwindow/FaceButtons.h"
#include "mainwindow/StatusLine.h"
#include "mainwindow/TrayIcon.h"
#include "operators/LoginMsg.h"
#include "reports/HistoryQuery.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class IClock;
class TCallViews;
class TFrm_PopupWin;
class QMenu;

class TFrm_Main final : public QWidget, public ICallEvents, public IMainFace {
    Q_OBJECT
public:
    // The station outlives the window; the window closes it when it goes. The window shows and
    // changes the station's environment (the window thread's copy).
    TFrm_Main(TStation& station, const IClock& clock, QWidget* parent = nullptr);
    ~TFrm_Main() override;

    // Opens the station (data store, settings, layouts, port, worker), then
    // sets caption, topmost, tray icon and the clock. False when the data store
    // cannot be opened.
    bool Start(QString* error = nullptr);

    // Closes the station as closing the window does, without any question: a
    // termination signal or the end of the desktop session. The application quits.
    void Shutdown();

    TStation& Station() { return station_; }
    const TLoginMsg& Login() const { return login_; }
    const TFaceButtons& Buttons() const { return buttons_; }
    const TStatusLine& StatusLine() const { return status_; }
    TCallViews& Views() { return *views_; }
    TTrayIcon* Tray() const { return tray_.get(); }

    // The operator logged in or off: the face buttons follow.
    void LoginProcess(int32_t popedom);
    void LogoffProcess();
    // Takes login as the station's login record, as the login dialog leaves it; the buttons follow.
    void SetLogin(const TLoginMsg& login);

    // ICallEvents
    void CallOpened(const TCallRecord& rec, const QString& eventText) override;
    void CallRestored(const TCallRecord& rec, const QString& eventText) override;
    void StoreError(const QString& error) override;
    void LayoutsReloaded() override;
    void LayoutCountsChanged() override;
    void PointImageChanged(int pointIndex) override;
    void GridsChanged() override;
    void PopupChanged(bool showWindow) override;

    // IMainFace
    void SetCaption(const QString& title) override;
    void RepaintGrids() override;
    bool TrayIconShown() const override { return tray_ != nullptr; }
    void CreateTrayIcon() override;
    void DestoryTrayIcon() override;
    void ChangePort() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Runs a change of the button table and repaints the buttons whose look changed.
    void TrackButtons(const std::function<void()>& change);
    QRect ButtonRect(int n) const;
    void DrawFaceButton(QPainter& p, int n, int state) const;
    void DrawSysButton(QPainter& p, int n, int state) const;
    void DrawFrame(QPainter& p) const;

    void RunButtonAction(int n);
    void ToggleMaximised();
    void ApplyTopMost();
    void ShowMainFace();
    // Asks whether to end the station; on Yes closes the window for good.
    void ExitStation();
    bool ConfirmExit();
    bool CanHideToTray() const;

    TStation& station_;
    TEnvironment& env_;
    TLoginMsg login_;              // the operator logged in at this station
    THistoryQuery historyQuery_;   // the history conditions of the run, from the start on
    TFaceButtons buttons_;
    TStatusLine status_;
    TCallViews* views_;
    TFrm_PopupWin* popup_;
    QMenu* maintenanceMenu_;
    std::unique_ptr<TTrayIcon> tray_;
    QImage sysButtons_;  // SYSBTN: 2 columns (normal, highlighted) by 4 glyphs
    QTimer clockTimer_;
    const IClock& clock_;
    bool exitConfirmed_ = false;
    bool shutDown_ = false;
};
