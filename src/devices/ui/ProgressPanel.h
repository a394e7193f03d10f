#pragma once
// The progress panel of the LED and memory tools: a bar, a status line and a
// cancel button over the window. It is shown exactly while its exchange runs,
// and runs the exchange's once-a-second time-out watch meanwhile.
#include <QFrame>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;
class TDeviceExchange;

class TProgressPanel final : public QFrame {
    Q_OBJECT
public:
    TProgressPanel(TDeviceExchange& exchange, QWidget* parent);

    // Shown over the middle of the window, with the watch running.
    void Open();
    // Hidden, the watch stopped.
    void Close();

    QProgressBar* Bar;
    QLabel* Lbl_Status;
    QPushButton* Btn_Cancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Centre();

    QTimer watch_;
};
