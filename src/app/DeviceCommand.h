#pragma once
// What the led, memory and bind commands share: their options, the port of
// Config.ini, and running one exchange with a device to its end.
#include "devices/BindSettings.h"
#include "devices/DeviceExchange.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>

class TDeviceLink;

// Parses "callstation NAME ACTION [options]": args are what follows NAME. False, after a one-line
// error, when the options are not understood or the action is not one of actions.
bool ParseDeviceCommand(QCommandLineParser& parser, const QString& name, const QStringList& actions,
                        const QStringList& args, QString* action);
// The number of an option, or its default when it is not given. False, after a one-line error,
// when it is no whole number within range.
bool NumberOption(const QCommandLineParser& parser, const QString& option, TRange range, int defaultValue,
                  int* value);

// One line of the window's texts: on standard output, or on standard error for a failure.
void PrintLine(const QString& text);
void PrintError(const QString& text);
// A one-line usage error on standard error.
void PrintUsage(const QString& text);

// Reads Config.ini and opens its port; false, after saying why, when it does not open.
bool OpenConfiguredPort(TDeviceLink& link);

// Starts an exchange and runs the event loop, with the once-a-second watch, until it ends.
TTransferEnd RunExchange(TDeviceExchange& exchange, const std::function<void()>& start);
// Runs the event loop until done is called or ms have passed; true when done was called.
bool RunUntil(int ms, const std::function<void(const std::function<void()>& done)>& start);
