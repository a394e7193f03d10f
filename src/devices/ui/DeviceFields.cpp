#include "devices/ui/DeviceFields.h"

#include "core/FileFilter.h"
#include "core/ResStrings.h"
#include "devices/DevicesTexts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QSpinBox>

QSpinBox* NumberField(const char* name, int min, int max, int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

QComboBox* ChoiceField(const char* name, int textsId, int index, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(LoadResStr(textsId).split(QLatin1Char('\n')));
    box->setCurrentIndex(index);
    return box;
}

QString AskFile(QWidget* parent, bool save)
{
    const QString filter = QtFileFilter(LoadResStr(TxtDevicesAllFilesFilter));
    return save ? QFileDialog::getSaveFileName(parent, QString(), QString(), filter)
                : QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}
