#include "app/ConsoleEvents.h"

#include "calls/CallRecord.h"
#include "core/Config.h"
#include "core/DateFormats.h"

#include <QDateTime>

namespace {
QString Place(const TCallRecord& rec)
{
    return rec.CallArea.isEmpty() ? rec.CallDesktop : rec.CallArea + QStringLiteral(" ") + rec.CallDesktop;
}
}  // namespace

TConsoleEvents::TConsoleEvents(const TConfig& cfg) : cfg_(cfg), out_(stdout) {}

void TConsoleEvents::Line(const QString& text)
{
    out_ << QTime::currentTime().toString(IsoTimeFormat) << QStringLiteral("  ") << text << Qt::endl;
}

void TConsoleEvents::PortStatus(const QString& text, bool isError)
{
    Line(QStringLiteral("port    %1%2").arg(text, isError ? QStringLiteral(" (error)") : QString()));
}

void TConsoleEvents::CallLogStatus(const QString& text, bool isError)
{
    Line(QStringLiteral("log     %1%2").arg(text, isError ? QStringLiteral(" (error)") : QString()));
}

void TConsoleEvents::CentralLink(const TCentralLinkState& state)
{
    if (centralLink_ == state.Link)
        return;
    centralLink_ = state.Link;
    Line(QStringLiteral("central %1%2").arg(CentralLinkText(state),
                                            state.IsAway() ? QStringLiteral(" (%1)").arg(state.Why) : QString()));
}

void TConsoleEvents::CallOpened(const TCallRecord& rec, const QString& eventText)
{
    Line(QStringLiteral("call    %1  [address %2 key %3]")
             .arg(eventText)
             .arg(rec.Addr, 4, 16, QLatin1Char('0'))
             .arg(rec.Key));
}

void TConsoleEvents::CallRestored(const TCallRecord& rec, const QString& eventText)
{
    Line(QStringLiteral("restore %1  [address %2 key %3]")
             .arg(eventText)
             .arg(rec.Addr, 4, 16, QLatin1Char('0'))
             .arg(rec.Key));
}

void TConsoleEvents::CallServed(const TCallRecord& rec, const QString& server, const QTime& cancelTime,
                                int durationSeconds)
{
    Line(QStringLiteral("served  %1  %2  by %3 at %4 after %5")
             .arg(Place(rec), ServiceTypeText(cfg_, rec.Key),
                  server.isEmpty() ? QStringLiteral("-") : server,
                  cancelTime.toString(IsoTimeFormat), ElapsedText(static_cast<uint32_t>(durationSeconds))));
}

void TConsoleEvents::CallTimedOut(const TCallRecord& rec, uint32_t seconds)
{
    Line(QStringLiteral("timeout %1  %2  not served after %3")
             .arg(Place(rec), ServiceTypeText(cfg_, rec.Key), ElapsedText(seconds)));
}

void TConsoleEvents::StoreError(const QString& error) { Line(QStringLiteral("error   data store: %1").arg(error)); }

void TConsoleSound::PlayOnce(const QString& file)
{
    console_.Line(QStringLiteral("sound   once %1").arg(file));
    if (inner_)
        inner_->PlayOnce(file);
}

void TConsoleSound::PlayLoop(const QString& file)
{
    console_.Line(QStringLiteral("sound   loop %1").arg(file));
    if (inner_)
        inner_->PlayLoop(file);
}

void TConsoleSound::Stop()
{
    console_.Line(QStringLiteral("sound   stop"));
    if (inner_)
        inner_->Stop();
}
