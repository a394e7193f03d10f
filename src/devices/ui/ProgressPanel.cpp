#include "devices/ui/ProgressPanel.h"

#include "core/CoreTexts.h"
#include "core/ResStrings.h"
#include "core/ui/StationDialog.h"
#include "devices/DeviceExchange.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TProgressPanel::TProgressPanel(TDeviceExchange& exchange, QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Pnl_Progress"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    SetStationBackground(this);
    Bar = new QProgressBar(this);
    Bar->setTextVisible(false);
    Lbl_Status = new QLabel(this);
    Btn_Cancel = new QPushButton(LoadResStr(TxtCancel), this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Bar);
    layout->addWidget(Lbl_Status);
    layout->addWidget(Btn_Cancel, 0, Qt::AlignHCenter);
    setFixedSize(420, 110);
    hide();

    exchange.OnStatus = [this](const QString& text) { Lbl_Status->setText(text); };
    exchange.OnProgress = [this, &exchange] {
        Bar->setMaximum(exchange.Maximum());
        Bar->setValue(exchange.Progress());
    };
    connect(Btn_Cancel, &QPushButton::clicked, this, [&exchange] { exchange.Cancel(); });
    watch_.setInterval(1000);
    connect(&watch_, &QTimer::timeout, this, [&exchange] { exchange.CheckTimeout(); });
    parent->installEventFilter(this);
}

void TProgressPanel::Open()
{
    Centre();
    show();
    raise();
    watch_.start();
}

void TProgressPanel::Close()
{
    watch_.stop();
    hide();
}

bool TProgressPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        Centre();
    return QFrame::eventFilter(watched, event);
}

void TProgressPanel::Centre()
{
    const QWidget* window = parentWidget();
    move((window->width() - width()) / 2, (window->height() - height()) / 2);
}
