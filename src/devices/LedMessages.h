#pragma once
// The LED strip's message list: up to 255 messages, numbered 1..n by their
// place in the list (device slot = position - 1), kept in Config.ini (or an
// exported file) in sections "Message_<position>".
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class IniFile;

struct TLedMessage {
    uint8_t DisplayMode = 0;   // index into text 1922
    uint8_t MoveInterval = 1;  // 1-32, steps of 20 ms
    uint8_t StopTime = 1;      // 0-250 s
    uint8_t Color = 0;         // index into text 1923
    uint8_t DataMode = 0;      // index into text 1921
    QString Text;              // 1-32 GBK bytes, never blank

    friend bool operator==(const TLedMessage&, const TLedMessage&) = default;
};
using TLedList = std::vector<TLedMessage>;

constexpr int MaxLedMessages = 255;
constexpr int MaxLedTextBytes = 32;
constexpr int MaxMoveInterval = 32;
constexpr int MaxStopTime = 250;

// The choices of a field from its text (TxtDevicesDataModes, TxtDevicesDisplayModes, TxtDevicesColors),
// one per line, in index order.
QStringList LedChoices(int textsId);

// The list's row for a message: position, display mode, move interval, stop time, colour, data mode, text.
QStringList LedCellTexts(const TLedMessage& message, int position);

// Which items of the list's menu are enabled; the rest always are. An upload keeps the menu closed.
struct TLedMenuState {
    bool Opens = true;
    bool Add = true;
    bool Modify = false;
    bool Delete = false;
};
TLedMenuState LedMenuState(int count, bool selected, bool uploading);

// The reading rule: messages from "Message_1" on, up to the first section without a text. A value out
// of its range is brought to the nearest valid one and a text is cut to 32 bytes, so that every message
// makes a well-formed frame; adjusted counts the messages so changed.
TLedList ReadDataFromFile(const IniFile& ini, int* adjusted = nullptr);
// The writing rule: each message into its section, then the section after the last one erased.
// Other sections stay as they are.
void SaveDataToFile(IniFile& ini, const TLedList& list);

// The list of the file at path; a missing file gives an empty list. False, with a reason, when the
// file exists but cannot be read.
bool LoadLedList(const QString& path, TLedList& list, int* adjusted, QString* error);
// The list of a file to import: false when it is not there or cannot be read (a missing file is no
// empty list); the list is then unchanged.
bool ImportLedList(const QString& path, TLedList& list, int* adjusted);
// Writes the list into the file at path, keeping its other sections. A file that exists but cannot be
// read is not overwritten. False, with a reason, when nothing was written.
bool SaveLedList(const QString& path, const TLedList& list, QString* error);
