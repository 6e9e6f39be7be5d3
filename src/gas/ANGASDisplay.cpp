// What the gas window shows: value labels, status lines, progress bar, the
// comm log and the message boxes raised by replies.
#include "gas/ANGAS.h"

#include "gas/GasDecoding.h"
#include "gas/GasLog.h"
#include "link/LiveValueLog.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

namespace {

constexpr int UiMeasuring = 45;
// An MCTC-NET temperature of exactly 888 is the instrument's "out of range".
constexpr float OilOutOfRange = 888.0f;

} // namespace

void ANGAS::showValuesUnknown() {
    for (ui::Label* label : {&Label8, &Label9, &Label10, &Label11, &Label12, &Label13, &Label15, &Label26, &Label33})
        label->setCaption(gas::unknownText());
}

void ANGAS::setInstruction(const QString& text, ui::Colour colour) {
    Label27.setCaption(text);
    Label27.setBackColor(colour);
}

void ANGAS::whiteStatusLines() {
    for (ui::Label* label : {&Label5, &Label27, &Label28})
        label->setBackColor(ui::colour::White);
}

void ANGAS::advanceProgress() {
    PBar1.setVisible(true);
    int elapsed = TickCount - ProgressStart;
    if (elapsed > PBar1.max()) {
        ProgressStart = TickCount;
        elapsed = 0;
    }
    PBar1.setValue(elapsed);
}

void ANGAS::showPressure(bool shown) {
    for (ui::Label* label : {&Label37, &Label38, &Label39})
        label->setVisible(shown);
}

void ANGAS::showMctcValues() {
    const GasState& gs = gas();
    const auto number = [](double value) { return settings::formatDouble(value); };
    Label12.setCaption(number(gs.GasO2));
    Label11.setCaption(number(gs.GasHC));
    Label8.setCaption(number(gs.GasCO));
    Label10.setCaption(number(gs.GasCO2));
    Label9.setCaption(number(gs.GasCOcorr));
    Label13.setCaption(gs.GasOilTemperature == OilOutOfRange ? gas::outText()
                                                             : settings::formatSingle(gs.GasOilTemperature));
    Label15.setCaption(number(gs.GasEngineSpeed));
    Label26.setCaption(number(gs.GasLambda));
    Label33.setCaption(number(gs.GasNOx));
}

void ANGAS::afterMeasurement() {
    writeGasLog();
    if (testPhasesGateOpen())
        RunTestPhases();
}

bool ANGAS::testPhasesGateOpen() const {
    const GasState& gs = gas();
    if (TProve != 0 || TCarb < 0 || TCarb > 5)
        return false;
    if (linkMode_ == MakerFrames)
        return gs.AnalyserStatus == 129 && NewMeasurementRequired != 1;
    if (linkMode_ == MctcNet)
        return gs.AnalyserErrorCode != 30 && gs.LeakTestStatus == QLatin1String("R") && gs.AnalyserStatus == 8 &&
               gs.HcResidueResult == QLatin1String("R");
    return false;
}

void ANGAS::writeGasLog() {
    if (!LogOn || Label5.caption() != uiText(UiMeasuring))
        return;
    const QStringList shown = {Label8.caption(),  Label10.caption(), Label11.caption(),
                               Label12.caption(), Label33.caption(), Label9.caption(),
                               Label26.caption(), Label15.caption(), Label13.caption()};
    AppendLiveValueLog(gas::GasLogName, LiveValueLogLine(shown, ui::Clock::today(), gas().SettingsSerial));
}

void ANGAS::queueMessage(const QString& text, ui::Icon icon, std::function<void()> closed) {
    queuedMessages_.push_back({text, icon, std::move(closed)});
}

void ANGAS::showQueuedMessages() {
    // A box shown here lets the event loop run: a reply handled meanwhile
    // queues its own messages, which this loop shows in turn.
    if (showingMessages_)
        return;
    showingMessages_ = true;
    while (!queuedMessages_.empty()) {
        QueuedMessage message = std::move(queuedMessages_.front());
        queuedMessages_.pop_front();
        dialogs_.message(message.text, QStringLiteral("Quaveron"), message.icon, ui::Buttons::Ok);
        if (message.closed)
            message.closed();
    }
    showingMessages_ = false;
}
