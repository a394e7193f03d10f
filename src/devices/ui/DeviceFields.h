#pragma once
// Controls the device tool windows build alike.
#include <QString>

class QComboBox;
class QSpinBox;
class QWidget;

// A number field named name, limited to min..max, holding value.
QSpinBox* NumberField(const char* name, int min, int max, int value, QWidget* parent);
// A choice of the texts of textsId (one per line), at index (-1: none).
QComboBox* ChoiceField(const char* name, int textsId, int index, QWidget* parent);
// A file to open (or to save) under the tools' filter "所有文件 (*.*)"; empty when none was chosen.
QString AskFile(QWidget* parent, bool save);
