#pragma once
// What the led, memory and bind commands share: their action and numbers, the
// port of Config.ini, and running one exchange with a device to its end.
#include "devices/BindSettings.h"
#include "devices/DeviceExchange.h"

#include <QString>
#include <QStringList>
#include <functional>

class TCommandLine;
class TDeviceLink;
struct TConfig;

// The action: the first word after the command's name, one of actions. False, after a
// one-line error, when it is missing or another.
bool DeviceAction(const TCommandLine& line, const QStringList& actions, QString* action);
// The number of an option, or its default when it is not given. False, after a one-line error,
// when it is no whole number within range.
bool NumberOption(const TCommandLine& line, const QString& option, TRange range, int defaultValue, int* value);

// Opens the port of the settings cfg (read from Config.ini); false, after saying why, when it does not open.
bool OpenConfiguredPort(TDeviceLink& link, const TConfig& cfg);

// Starts an exchange and runs the event loop, with the once-a-second watch, until it ends.
TTransferEnd RunExchange(TDeviceExchange& exchange, const std::function<void()>& start);
// Runs the event loop until done is called or ms have passed; true when done was called.
bool RunUntil(int ms, const std::function<void(const std::function<void()>& done)>& start);
