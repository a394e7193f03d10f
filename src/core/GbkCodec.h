#pragma once
// Code page 936 (GBK): the byte form of texts sent to devices and stored in INI files,
// and the unit in which text limits are counted.
#include <QByteArray>
#include <QString>

QByteArray ToGbk(const QString& text);        // unmappable characters become '?'
QString FromGbk(const QByteArray& bytes);     // an invalid byte becomes "?", as it is written back
int GbkLength(const QString& text);           // bytes the text takes in GBK
// The longest prefix of text whose GBK form fits in maxBytes, never splitting a character.
QString CutToGbkBytes(const QString& text, int maxBytes);
