// Replies of a maker opacimeter (binary frames).

#include "smoke/ANFUMO.h"

#include "link/ReplyText.h"
#include "shared/Globals.h"
#include "smoke/MakerStatus.h"
#include "smoke/SmokeTexts.h"

namespace {

// Bytes counted from STX = 1.
QByteArray bytesAt(const QByteArray& frame, int position, int count) {
    return frame.mid(position - 1, count);
}

} // namespace

void ANFUMO::handleMakerReply(const QByteArray& frame) {
    using namespace maker_command;
    InstrumentIdentityRecord& identity = g_.link.InstrumentIdentity;
    switch (own_.makerCommand) {
    case Identify:
        identity.SerialNumber = InstrumentText(model_.identityPrefix + bytesAt(frame, 8, 6));
        InstrumentState = QStringLiteral("LDF");
        break;
    case ExpiryDate:
        identity.ExpiryDate =
            InstrumentText(bytesAt(frame, 7, 2) + '/' + bytesAt(frame, 9, 2) + "/20" + bytesAt(frame, 11, 2));
        Verification.instrumentReported(identity.ExpiryDate, DateMeaning::Expiry);
        InstrumentState = QStringLiteral("DS");
        break;
    case ChannelList:
        if (model_.firstGeneration)
            ChannelListInWarmUp = LastStatus == QLatin1String("RSTRI") ? 1 : 0;
        else
            ChannelListInCheck = LastStatus == QLatin1String("RSTCHK") ? 1 : 0;
        InstrumentState = QStringLiteral("SCA");
        break;
    case Status: handleMakerStatus(frame); break;
    case Values:
        DecodeChannelRecords(frame, ChannelValues);
        takeReadings(ReadingsFromChannels(ChannelValues));
        InstrumentState = QStringLiteral("ACQ");
        afterValueReply();
        break;
    case Start: InstrumentState = QStringLiteral("AZE"); break;
    default: break;
    }
}

void ANFUMO::handleMakerStatus(const QByteArray& frame) {
    using namespace smoke_text;
    const MakerStatusBytes bytes = MakerStatusBytesOf(frame);
    StatusFlags = bytes.flags;
    LastStateCode = bytes.stateCode;
    LastAlarmByte = bytes.alarm;
    const MakerStatus status = DecodeMakerStatus(model_.firstGeneration, bytes);
    const QString previous = LastStatus;
    const auto& text = g_.lang.UiText;
    switch (status.kind) {
    case MakerStatusKind::WarmUp:
        ChannelListInWarmUp = 0;
        showWarmUp(Riscal, false);
        break;
    case MakerStatusKind::Check:
        ChannelListInCheck = 0;
        showWarmUp(Control, true);
        break;
    case MakerStatusKind::Zeroing:
        setStatus(text[Autzer], ui::colour::White);
        if (model_.firstGeneration)
            Label39.setBackColor(ui::colour::White);
        else
            setPrompt(Autzer, ui::colour::White);
        break;
    case MakerStatusKind::Ready:
        if (model_.firstGeneration && previous == QLatin1String("RSTRI"))
            Label39.setCaption(text[Fase]);
        if (previous == QLatin1String("RSTAZE") &&
            (MeasureSelection == Manual || MeasureSelection == DirectAcquisition))
            Command1.setEnabled(true);
        showMakerReady(status);
        break;
    case MakerStatusKind::Failure:
        setStatus(QStringLiteral("Error"), ui::colour::Red);
        setPrompt(Spengere, ui::colour::Red);
        break;
    case MakerStatusKind::Unchanged: break;
    }
    LastStatus = status.word();
    InstrumentState = LastStatus;
}

void ANFUMO::showMakerReady(const MakerStatus& status) {
    using namespace smoke_text;
    const auto& text = g_.lang.UiText;
    Label2.setCaption(text[Attivo]);
    if (status.alarm == 0) {
        // A ready status whitens the prompt too; the next value reply's test
        // phase colours it again.
        AlarmActive = 0;
        Label2.setBackColor(ui::colour::White);
        Label39.setBackColor(ui::colour::White);
    }
    if (status.warmingUp) {
        Label2.setCaption(text[Riscal]);
        Label39.setCaption(text[AttRisc]);
    }
    if (status.alarm != 0)
        showAlarm(status.alarm);
}
