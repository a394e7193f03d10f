#include "station/Station.h"

#include "central/CentralShipper.h"
#include "core/Clock.h"
#include "layout/LayoutStore.h"
#include "operators/FirstOperator.h"

TStation::TStation(TEnvironment& env, const IClock& clock, ISoundPlayer& sound, ICallEvents& events, QObject* parent)
    : QObject(parent),
      env_(env),
      clock_(clock),
      events_(&events),
      duty_(store_, clock),
      log_(journal_, clock, env.Config, duty_),
      tracker_(clock, env.Config, env.StateTexts, env.Formats, tree_, duty_, log_, sound, tee_),
      handler_(comm_, tracker_, replies_),
      sync_(ring_, handler_)
{
    comm_.OnReceived = [this](const uint8_t* bytes, int n) { ring_.CopyReceivedBytes(bytes, n); };
    tee_.SetFace(events);
    connect(&comm_, &TMSComm::StatusChanged, this, &TStation::PortStatusChanged);
    log_.OnStatusChanged = [this](const QString& text, bool isError) { emit CallLogStatusChanged(text, isError); };
    connect(&comm_, &TMSComm::StatusChanged, this, [this](const QString&, bool isError) { receiverOk_ = !isError; });
}

namespace {
// The face of a station that has none yet: every event goes nowhere.
ICallEvents& NoFace()
{
    static ICallEvents none;
    return none;
}
}  // namespace

TStation::TStation(TEnvironment& env, const IClock& clock, ISoundPlayer& sound, QObject* parent)
    : TStation(env, clock, sound, NoFace(), parent)
{
}

TStation::~TStation() { Close(); }

void TStation::SetEvents(ICallEvents* events)
{
    events_ = events ? events : &NoFace();
    tee_.SetFace(*events_);
}

bool TStation::Start(QString* error)
{
    if (!store_.Open(env_.DataDir, error))
        return false;
    QString operatorError;
    if (!EnsureFirstOperator(store_, &operatorError))
        events_->StoreError(operatorError);
    ReadConfig(env_.ConfigPath, env_.Config, env_.StateTexts);
    QString layoutError;
    if (!ReadSiteLayOutData(store_, tree_, &layoutError))
        events_->StoreError(layoutError);
    comm_.Open(env_.Config.Port, portOverride_.isEmpty() ? env_.Config.PortName : portOverride_);
    store_.DQ_Call.Close();
    QString rosterError;
    if (!duty_.ReopenQueries(&rosterError))
        events_->StoreError(rosterError);
    PrepareShipping();
    RecoverCalls();
    if (shipper_)
        shipper_->start();

    TFaceWork work;
    work.ReloadLayouts = [this] { ReloadLayouts(); };
    // Acknowledgements leave once the calls they answer are in the journal: a call the
    // receiver was told about survives a crash, one it was not told about it sends again.
    work.ParseRecvData = [this] {
        const uint64_t acksBefore = handler_.Acks.Value();
        comm_.HoldOutput();
        sync_.ParseRecvData();
        if (!comm_.ReleaseOutput())
            handler_.AcksNotWritten(handler_.Acks.Value() - acksBefore);
    };
    work.RefreshCallRecordState = [this] {
        tracker_.RefreshCallRecordState();
        if (shipper_)
            shipper_->SetStationState(static_cast<int>(tracker_.Records().Count()), receiverOk_);
    };
    worker_ = std::make_unique<TFaceThread>(this, clock_, std::move(work), workerCycleMs_);
    ring_.OnBytesStored = [w = worker_.get()] { w->PulseRecvEvent(); };
    worker_->start();
    started_ = true;
    return true;
}

void TStation::PrepareShipping()
{
    const TCentralSettings central = ReadCentralSettings(env_.ConfigPath);
    if (!central.Enabled())
        return;
    const TOutboxGate gate = std::make_shared<std::mutex>();
    journal_.SetOutbox(gate);
    shipper_ = std::make_unique<TCentralShipper>(central, env_.DataDir, gate);
    connect(shipper_.get(), &TCentralShipper::LinkChanged, this, &TStation::CentralLinkChanged);
}

void TStation::RecoverCalls()
{
    QString error;
    if (!log_.Open(env_.DataDir, &error))
        events_->StoreError(error);
    for (const TRecoveredCall& call : log_.Recover())
        tracker_.RestoreCall(call.Entry, call.AgeSeconds);
}

void TStation::ReloadLayouts()
{
    tree_.Selected = nullptr;
    QString error;
    if (!ReadSiteLayOutData(store_, tree_, &error))
        events_->StoreError(error);
    tracker_.RelinkCallRecords();
    events_->LayoutsReloaded();
    events_->LayoutCountsChanged();
}

void TStation::RaiseLayoutChange()
{
    if (worker_)
        worker_->RaiseLayoutChange();
}

bool TStation::ReopenRosterQueries(QString* error) { return duty_.ReopenQueries(error); }

void TStation::ApplyPortSettings()
{
    if (portOverride_.isEmpty())
        comm_.ChangePort(env_.Config.Port, env_.Config.PortName);
}

void TStation::Close()
{
    if (!started_ || closed_)
        return;
    closed_ = true;
    if (worker_) {
        worker_->Stop();
        worker_->wait();
    }
    ring_.OnBytesStored = nullptr;
    duty_.CloseQueries();
    comm_.Close();
    tracker_.LogAllOpenCalls();
    log_.Close();
    // The last calls go now when the server answers within a few seconds, else at the next start.
    if (shipper_)
        shipper_->Finish();
    store_.Close();
}
