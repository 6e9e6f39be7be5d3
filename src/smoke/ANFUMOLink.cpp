// The smoke window's side of the conversation: the 25 ms scheduler that sends
// the request each state calls for, and the receive event that assembles and
// accepts the replies.

#include "smoke/ANFUMO.h"

#include "link/CommEvents.h"
#include "link/GenMCTCNET.h"
#include "link/MakerFrame.h"
#include "link/SerialPort.h"
#include "shared/Globals.h"
#include "smoke/SmokeTexts.h"

namespace {

bool isOneOf(const QString& state, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (state == QLatin1String(word))
            return true;
    return false;
}

// Opacimeters from this version on take the newer status command.
constexpr int NewStatusCommandVersion = 4005;

} // namespace

void ANFUMO::Timer1_Timer() {
    ++TickCount;
    if (linkMode() == 2) {
        if (PendingRequest == QLatin1String("RSTSB"))
            InstrumentState = QStringLiteral("STANDBY");
        else if (PendingRequest == QLatin1String("STARTMIS"))
            InstrumentState = QStringLiteral("STARTMIS");
    }
    switch (Cycle.tick()) {
    case ReplyCycle::Step::Send: sendRequestForState(); break;
    case ReplyCycle::Step::TimedOut:
        Label2.setCaption(QStringLiteral("ERRORE COM"));
        if (Cycle.Line.missed(MSComm1))
            abandonInterruptedTest();
        break;
    case ReplyCycle::Step::Wait: break;
    }
    showPendingPopups();
}

void ANFUMO::sendRequestForState() {
    if (linkMode() == 2)
        sendMctcRequest();
    else
        sendMakerRequest();
}

void ANFUMO::sendMaker(int command, const QByteArray& data) {
    own_.makerCommand = command;
    g_.link.LastMakerCommand = static_cast<std::int16_t>(command);
    SendMakerFrame(g_, model_.address, command, data);
}

void ANFUMO::sendMctc(const QByteArray& command, const QByteArray& data) {
    own_.mctcRequest = {"OPA", "1", command};
    SendMctcToMeasuring(g_, own_.mctcRequest, data);
}

void ANFUMO::sendMakerRequest() {
    using namespace maker_command;
    if (PendingStart == QLatin1String("STARTMIS")) {
        PendingStart.clear();
        sendMaker(Start);
        return;
    }
    const QString& state = InstrumentState;
    if (state == QLatin1String("INIZIO")) {
        if (g_.app.SmokeFirstStart) {
            g_.app.SmokeFirstStart = 0;
            g_.app.ExclamPrintText = g_.lang.UiText[smoke_text::ExclStamp2];
            raiseExclamStampa(SchedulerWhileOpen::Stopped);
            // The probe must come out before the instrument is even asked who it is.
            showPendingPopups();
        }
        sendMaker(Identify);
    } else if (state == QLatin1String("LDF")) {
        sendMaker(ExpiryDate);
    } else if (state == QLatin1String("DS")) {
        sendMaker(ChannelList, MakerChannelList());
    } else if (state == QLatin1String("RSTRI") && model_.firstGeneration) {
        if (ChannelListInWarmUp == 0)
            sendMaker(ChannelList, MakerChannelList());
        else
            sendMaker(Status);
    } else if (state == QLatin1String("RSTCHK") && !model_.firstGeneration) {
        if (ChannelListInCheck == 0)
            sendMaker(ChannelList, MakerChannelList());
        else
            sendMaker(Status);
    } else if (isOneOf(state, {"ACQ", "SCA", "RSTERR", "RSTAZE", "AZE"})) {
        sendMaker(Status);
    } else if (state == QLatin1String("RSTATT")) {
        CmdOut.setEnabled(true);
        sendMaker(Values);
    }
}

void ANFUMO::sendMctcRequest() {
    QString& state = InstrumentState;
    if (state == QLatin1String("INIZIO")) {
        sendMctc("ID");
    } else if (state == QLatin1String("ACQ") && ParamReadCounter < 8 && DiagReadCounter < 9) {
        state = QStringLiteral("RSTMIS");
        sendMctc("@RS");
    } else if (isOneOf(state, {"IDE", "ACQ", "RSTAZE"})) {
        if (DiagReadCounter >= 9) {
            sendMctc("@RD");
        } else {
            sendMctc("@LU", ParamSelector.toLatin1());
            ParamSelector = ParamSelector == QLatin1String("21") ? QStringLiteral("20") : QStringLiteral("21");
        }
    } else if (isOneOf(state, {"RAD", "LPAR", "SBY", "AZE", "ACQXAZE"})) {
        g_.app.ExclamText = g_.lang.UiText[smoke_text::ExclStamp1];
        g_.app.ExclamPrintText = g_.lang.UiText[smoke_text::ExclStamp2];
        g_.app.SmokeFirstStart = 0;
        sendMctc(own_.versionThousandths < NewStatusCommandVersion ? "ST" : "@ST");
    } else if (isOneOf(state, {"RSTMIS", "RSTRI", "RSTSB", "RSECXAZE"})) {
        sendMctc("@RS");
    } else if (state == QLatin1String("RSEC")) {
        sendMctc("@VA");
    } else if (state == QLatin1String("STARTMIS")) {
        PendingRequest.clear();
        sendMctc("AZ");
    } else if (state == QLatin1String("STANDBY")) {
        PendingRequest.clear();
        sendMctc("SB");
    }
}

void ANFUMO::MSComm1_OnComm() {
    if (!TriageCommEvent(MSComm1.CommEvent(), dialogs_))
        return;
    if (!ReceiveBuffer.takeInput(MSComm1, ::ReceiveBuffer::FirstByte::MustBeStx))
        return;
    handleFrame();
    showPendingPopups();
}

void ANFUMO::handleFrame() {
    if (ReceiveBuffer.isEmpty())
        return;
    // The buffer is emptied before the reply is acted on, so a message window
    // opened meanwhile finds it ready for the next frame.
    const QByteArray frame = ReceiveBuffer.bytes();
    if (linkMode() == 2) {
        if (!ReceiveBuffer.endsWithEtx())
            return;
        ReceiveBuffer.clear();
        if (!own_.mctcRequest.isAnsweredBy(frame))
            return;
        g_.link.countAcceptedFrame();
        handleMctcReply(frame);
    } else {
        switch (CheckMakerReply(frame, model_.address, own_.makerCommand)) {
        case MakerReply::Incomplete: return;
        case MakerReply::Invalid: ReceiveBuffer.clear(); return;
        case MakerReply::Complete: break;
        }
        ReceiveBuffer.clear();
        g_.link.countAcceptedFrame();
        handleMakerReply(frame);
    }
    Cycle.replyHandled();
}
