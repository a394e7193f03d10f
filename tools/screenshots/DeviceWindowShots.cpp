#include "DeviceWindowShots.h"

#include "comm/DeviceReplies.h"
#include "comm/SerialLine.h"
#include "core/Clock.h"
#include "core/ui/Messages.h"
#include "devices/LedMessages.h"
#include "devices/MemoryFile.h"
#include "devices/ui/BindSet.h"
#include "devices/ui/CopyData.h"
#include "devices/ui/LedEdit.h"
#include "devices/ui/LedListView.h"
#include "devices/ui/LedSet.h"

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

namespace {

// The frames go nowhere: only the windows are of interest.
class NoLine final : public ISerialLine {
public:
    bool SendFrame(const uint8_t*, int) override { return true; }
};

bool Shot(QWidget& w, const QString& path)
{
    w.show();
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    const bool ok = w.grab().save(path);
    QTextStream(stdout) << (ok ? "saved " : "FAILED ") << path << Qt::endl;
    return ok;
}

class AnswerAll final : public TMessageSink {
public:
    QMessageBox::StandardButton Show(QWidget*, const TMessage&) override { return QMessageBox::Ok; }
};

}  // namespace

bool SaveDeviceWindowShots(const QString& out, const QString& configPath, const std::function<void(int)>& clickButton)
{
    // Notices are answered at once: nobody is there to click them.
    AnswerAll answers;
    TMessageSink* previous = SetMessageSink(&answers);
    NoLine line;
    TDeviceReplies replies;
    ManualClock clock;
    bool ok = true;
    const TLedList messages = {
        {0, 1, 1, 0, 0, QStringLiteral("欢迎光临")},
        {3, 1, 5, 2, 0, QStringLiteral("今日特价：清蒸鲈鱼")},
        {6, 4, 1, 1, 0, QStringLiteral("Welcome")},
        {4, 1, 10, 1, 1, QStringLiteral("time")},
    };
    SaveLedList(configPath, messages, nullptr);
    {
        TFrm_LedSet led(line, replies, clock, configPath);
        led.LoadList();
        led.SGrd_LedList->setCurrentCell(1, 0);
        ok = Shot(led, out + "/led-list.png") && ok;
        led.Upload();
        replies.Route(reinterpret_cast<const uint8_t*>("\xAA\xC0\x00\x00\x01\x53\x00\x00\x55"), 9);
        ok = Shot(led, out + "/led-uploading.png") && ok;
        TFrm_LedEdit edit(1909, led.List()[1], &led);
        ok = Shot(edit, out + "/led-edit.png") && ok;
        led.reject();
    }
    {
        QTemporaryDir files;
        QByteArray image(100, '\0');
        const char parameters[] = {1, 0, 5, 3, 8, 30, 2, 4, 12, 0, 1, 3, 10, 5};
        for (int i = 0; i < 100; ++i)
            image[i] = i < 14 ? parameters[i] : char(i * 37 + 11);
        const QString path = files.filePath("sample.mem");
        ExportMemoryFile(path, image);
        TFrm_CopyData copy(line, replies, clock);
        copy.ImportFrom(path);
        ok = Shot(copy, out + "/copydata-parameters.png") && ok;
        copy.findChild<QTabWidget*>()->setCurrentIndex(1);
        ok = Shot(copy, out + "/copydata-memory-map.png") && ok;
    }
    {
        TFrm_BindSet bind(line, replies);
        bind.Edt_ButtonAddress->setText(QStringLiteral("0012"));
        bind.Edt_InternalCode->setText(QStringLiteral("A1B2C3"));
        bind.Edt_Text->setText(QStringLiteral("8号桌"));
        ok = Shot(bind, out + "/bindset-button.png") && ok;
        bind.findChild<QTabWidget*>()->setCurrentIndex(1);
        bind.Edt_Key->setValue(2);
        ok = Shot(bind, out + "/bindset-key.png") && ok;
    }
    SetMessageSink(previous);
    // Opened from the main window, each with the station's line and replies.
    for (int button : {9, 10, 11}) {
        QTimer::singleShot(500, [&ok, &out, button] {
            QWidget* window = QApplication::activeModalWidget();
            ok = window && Shot(*window, out + QStringLiteral("/face-button-%1.png").arg(button)) && ok;
            if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->reject();
        });
        clickButton(button);
    }
    SetMessageSink(previous);
    return ok;
}
