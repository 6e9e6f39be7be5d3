#include "smoke/ANFUMO.h"

#include "link/LineSettings.h"
#include "link/PortOpening.h"
#include "link/SerialPort.h"
#include "report/ConcludedTests.h"
#include "settings/ConfFile.h"
#include "settings/NumberText.h"
#include "settings/RCLIni.h"
#include "shared/Globals.h"
#include "smoke/MakerStatus.h"
#include "smoke/SmokeNumbers.h"
#include "smoke/SmokeTexts.h"
#include "smoke/SmokeWindowLinks.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Timer.h"

namespace {

QString readConfText(const QString& section, const QString& key) {
    RCLIni ini;
    ini.File = SettingsPath();
    ini.Section = section;
    ini.key = key;
    return ini.GetValue() ? ini.Value : QString();
}

void setAll(RowLabels& labels, const QString& caption) {
    for (ui::Label& label : labels)
        label.setCaption(caption);
}

} // namespace

ANFUMO::ANFUMO(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SmokeWindowLinks> links,
               std::unique_ptr<SerialPort> port)
    : MSComm1(*port), g_(g), dialogs_(dialogs), links_(std::move(links)), port_(std::move(port)) {
    Combo1.setItems({QStringLiteral("Continua"), QStringLiteral("RPM"), QStringLiteral("Limite Fumi"),
                     QStringLiteral("Tempo"), QStringLiteral("Manuale"), QStringLiteral("Acq.diretta")});
    const QString zero = QStringLiteral("0");
    for (RowLabels* column : {&Label36, &Label18, &Label37, &Label38})
        setAll(*column, zero);
    for (ui::Label* label : {&Label35, &Label55, &Label52, &Label53})
        label->setCaption(zero);
    Timer1.setHandler([this] { Timer1_Timer(); });
    MSComm1.OnComm = [this] { MSComm1_OnComm(); };
}

ANFUMO::~ANFUMO() {
    Form_Unload();
    MSComm1.OnComm = nullptr;
}

void ANFUMO::Form_Load() {
    using namespace smoke_text;
    const auto& text = g_.lang.UiText;
    Me.setCaption(text[Cap]);
    PROINTER.setCaption(text[Prove]);
    FrameOPA.setCaption(text[Frame]);
    Label5.setCaption(text[Tcella]);
    Label6.setCaption(text[Tolio]);
    Label7.setCaption(text[Tfumi]);
    Label16.setCaption(text[Op]);
    Label33.setCaption(text[Esito]);
    Label33.setBackColor(ui::colour::White);
    Label39.setCaption(text[Fase]);
    Label39.setBackColor(ui::colour::White);
    Label2.setBackColor(ui::colour::White);
    Label43.setCaption(text[Mis]);
    Command1.setCaption(text[Avan]);
    Command2.setCaption(text[Start]);
    Command3.setCaption(text[Lim]);
    Command4.setCaption(text[Stampa]);
    Command5.setCaption(text[DatVeic]);
    Label32.setCaption(text[Blocco]);
    // Entry 1 keeps its design text in every language.
    QStringList selections = Combo1.items();
    selections[Continuous] = text[Mis1];
    selections[OpacityTriggered] = text[Mis2];
    selections[Timed] = text[Mis3];
    selections[Manual] = text[Mis4];
    selections[DirectAcquisition] = text[Mis15];
    Combo1.setItems(selections);
    LogEnabled = false;
    Command7.setCaption(QStringLiteral("LOG OFF"));

    LeggiConfini();
    Verification.forget();
    Verification.check(g_);
    // A Conf.ini without these keys leaves the values start-up gave.
    LoadOpacityLimits(g_);
    LoadInstrumentModels(g_);
    model_ = OpacimeterModelOf(g_.settings.SmokeModel);
    LinkState& link = g_.link;
    link.OpacimeterBinaryAddress = model_.address;
    const bool mctc = model_.linkMode == 2;
    if (mctc) {
        link.MctcDevice = "OPA";
        link.MctcNumber = "1";
        g_.smoke.ErrorCheckArmed = -1;
        Combo1.addItem(text[Mis5]);
    }
    Label29.setVisible(mctc);
    Label32.setVisible(mctc);
    Label30.setVisible(mctc);
    Command6.setEnabled(mctc);
    g_.settings.OpacimeterLinkMode = model_.linkMode;

    const QString unit = g_.settings.SmokeUnit == 1 ? QStringLiteral("HSU") : QStringLiteral("%");
    Label4.setCaption(unit);
    Label56.setCaption(unit);
    LoadVehicleData(g_);
    Linette();
    Combo1.setListIndex(0);
    Combo1_Click();

    OpenInstrumentPort(MSComm1, g_.settings.SmokePort, BaudSettings(g_.settings.SmokeBaudIndex), g_, dialogs_);
    link.SmokePort = &MSComm1;

    InstrumentState = QStringLiteral("INIZIO");
    Cycle.ReplyReady = 1;
    Cycle.TicksSinceSend = 0;
    ParamSelector = QStringLiteral("21");
    g_.app.SmokeScheduler = &Timer1;
    loaded_ = true;
    Timer1.setEnabled(true);
}

void ANFUMO::LeggiConfini() {
    Label17.setCaption(readConfText(QStringLiteral("COMOPA"), QStringLiteral("Modello")));
    Label44.setCaption(readConfText(QStringLiteral("COMOPA"), QStringLiteral("Nserie")));
    const auto unit = settings::parseInteger(readConfText(QStringLiteral("MODOPA"), QStringLiteral("UnitOpa")), 0, 1);
    g_.settings.SmokeUnit = unit ? static_cast<int>(*unit) : 0;
}

void ANFUMO::Form_Unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    keepInterruptedTest();
    if (g_.settings.ExternalRpm == 1 || g_.settings.ExternalOilTemp == 1)
        links_->closeRevCounter();
    if (g_.app.MainBlinkTimer)
        g_.app.MainBlinkTimer->setEnabled(true);
    g_.smoke.AccelerationIndex = 0;
    ChannelListInWarmUp = 0;
    ChannelListInCheck = 0;
    Timer1.setEnabled(false);
    if (g_.app.SmokeScheduler == &Timer1)
        g_.app.SmokeScheduler = nullptr;
    SaveOpacityLimits(g_);
    if (MSComm1.PortOpen())
        MSComm1.setPortOpen(false);
    if (g_.link.SmokePort == &MSComm1)
        g_.link.SmokePort = nullptr;
    g_.app.SmokeWindowActive = 0;
}

void ANFUMO::Linette() {
    const QString none = QString::fromLatin1(NoValue);
    for (ui::Label* label : {&Label24, &Label25, &Label26, &Label27, &Label28, &Label31})
        label->setCaption(none);
}

void ANFUMO::showRowsUnknown() {
    const QString none = QString::fromLatin1(NoValue);
    for (RowLabels* column : {&Label36, &Label18, &Label37, &Label38})
        setAll(*column, none);
}

void ANFUMO::Combo1_Click() {
    keepInterruptedTest();
    rowsKept_ = 0;
    MeasureSelection = static_cast<std::int16_t>(qMax(0, Combo1.listIndex()));
    if (MeasureSelection != Manual)
        Command1.setEnabled(false);
    g_.smoke.AccelerationIndex = 0;
}

void ANFUMO::IncAccelerata() {
    SmokeState& s = g_.smoke;
    // 8 and 10 both mean the test is over; counting on would run off the table.
    if (s.AccelerationIndex >= AccelerationRows)
        return;
    ++s.AccelerationIndex;
    peakUnknown_ = false;
    s.PeakOpacity = 0;
    s.PeakSpeedShown = 0;
    s.PeakSpeed = 0;
    s.IdleSpeed = 10000;
}

void ANFUMO::Command1_Click() {
    SmokeState& s = g_.smoke;
    // A concluded test has no row left to close.
    if (!warm() || s.AccelerationIndex >= AccelerationRows)
        return;
    Label24.setBackColor(ui::colour::White);
    evaluateAcceleration();
    if (s.AccelerationIndex == AccelerationRows - 1) {
        Command1.setCaption(g_.lang.UiText[smoke_text::Fine]);
    } else if (s.AccelerationIndex >= AccelerationRows) {
        Command1.setCaption(g_.lang.UiText[smoke_text::Avan]);
        Command1.setEnabled(false);
        s.AccelerationIndex = 10;
    }
}

bool ANFUMO::verificationAllowsStart() {
    const VerificationWatch::Start start = Verification.testStart(g_);
    const bool test = MeasureSelection != Continuous && MeasureSelection != Chart;
    if (test && start == VerificationWatch::Start::Refused) {
        dialogs_.message(Verification.refusalText(g_), Me.caption(), ui::Icon::Exclamation);
        return false;
    }
    startedOnExpiredInstrument_ = test && start == VerificationWatch::Start::AllowedByOverride;
    return true;
}

void ANFUMO::Command2_Click() {
    using namespace smoke_text;
    SmokeState& s = g_.smoke;
    const auto& text = g_.lang.UiText;
    // A refused start leaves the last test's result as it was.
    if (!verificationAllowsStart())
        return;
    keepInterruptedTest();
    ClearSmokeTestResult(g_);
    s.SmokeTestResult.ExpiredInstrumentOverride = startedOnExpiredInstrument_;
    const QString zero = QStringLiteral("0");
    for (RowLabels* column : {&Label36, &Label18, &Label37, &Label38})
        setAll(*column, zero);
    for (ui::Label* label : {&Label35, &Label55, &Label52, &Label53})
        label->setCaption(zero);
    s.TestStartTime = ui::Clock::now();

    Label2.setBackColor(ui::colour::White);
    setPrompt(Fase, ui::colour::White);
    Label33.setCaption(text[Esito]);
    Label33.setBackColor(ui::colour::White);

    EndNoticePending = true;
    PendingRequest = QStringLiteral("STARTMIS");
    if (StatusFlags & MakerReadyFlag)
        PendingStart = QStringLiteral("STARTMIS");
    if (linkMode() == 2) {
        InstrumentState = QStringLiteral("STARTMIS");
        s.ErrorCheckArmed = -1;
    }

    s.LowestIdleSpeed = 10000;
    s.HighestPeakSpeed = 0;
    s.PeakOpacity = 0;
    s.PeakSpeed = 0;
    s.PeakSpeedShown = 0;
    s.IdleSpeed = 10000;
    s.AccelerationIndex = 0;
    rowsKept_ = 0;
    peakUnknown_ = false;

    switch (MeasureSelection) {
    case Continuous: TestPhase = QStringLiteral("CONTINUA"); break;
    case Manual:
    case DirectAcquisition:
        TestPhase = QStringLiteral("DUE");
        // Until the instrument is ready after its zeroing.
        Command1.setEnabled(false);
        break;
    default: TestPhase = QStringLiteral("AVVIOALTO"); break;
    }
}

void ANFUMO::Command3_Click() {
    links_->showLimits();
}

void ANFUMO::Command4_Click() {
    // The operator ends a direct acquisition by printing it: kept as it stands.
    if (MeasureSelection == DirectAcquisition)
        keepUnfinishedTest(ConcludedTest::Outcome::NoVerdict);
    g_.smoke.TestEndTime = ui::Clock::now();
    links_->showSmokePrint();
}

void ANFUMO::Command5_Click() {
    links_->showVehicleData();
}

void ANFUMO::Command6_Click() {
    InstrumentState = QStringLiteral("STANDBY");
    g_.smoke.ErrorCheckArmed = -1;
    PendingRequest = QStringLiteral("RSTSB");
}

void ANFUMO::Command7_Click() {
    LogEnabled = !LogEnabled;
    Command7.setCaption(LogEnabled ? QStringLiteral("LOG ON") : QStringLiteral("LOG OFF"));
}

void ANFUMO::CmdOut_Click() {
    Me.requestClose();
}

bool ANFUMO::warm() const {
    return g_.smoke.CellTemperature > WarmCell;
}

AccelerationTable ANFUMO::accelerationTable() {
    return {Label36, Label18, Label33, Label35, Label55};
}

void ANFUMO::keepInterruptedTest() {
    keepUnfinishedTest(ConcludedTest::Outcome::Interrupted);
}

void ANFUMO::keepUnfinishedTest(ConcludedTest::Outcome outcome) {
    SmokeState& s = g_.smoke;
    // A test with rows but no verdict yet; one with none, or with no row since
    // it was last kept, has nothing to keep.
    if (s.AccelerationIndex < 1 || s.AccelerationIndex >= AccelerationRows || s.AccelerationIndex <= rowsKept_)
        return;
    // Rows reach the result only with a verdict: the finished ones are taken as shown.
    for (int row = 0; row < s.AccelerationIndex; ++row) {
        s.RowPeakText[row] = Label36[row].caption();
        s.RowSpeedText[row] = Label18[row].caption();
    }
    ConcludedTest test = ConcludedSmokeTest(g_, ui::Clock::now());
    test.outcome = outcome;
    KeepConcludedTest(g_, test);
    rowsKept_ = s.AccelerationIndex;
}

void ANFUMO::evaluateAcceleration() {
    // The row may not have been written since k went missing (a cell without
    // temperature stops the writing): it must not keep a partial peak.
    const int row = g_.smoke.AccelerationIndex;
    if (peakUnknown_ && row >= 0 && row < AccelerationRows)
        Label36[row].setCaption(QString::fromLatin1(NoValue));
    const bool open = g_.smoke.AccelerationIndex < AccelerationRows;
    const AccelerationTable table = accelerationTable();
    if (MeasureSelection == DirectAcquisition)
        StoreAccelerationRow(g_, table);
    else
        EvaluateAccelerations(g_, table);
    IncAccelerata();
    // Kept once, as its verdict (or last row) concludes it, before any print.
    if (open && g_.smoke.AccelerationIndex >= AccelerationRows)
        KeepConcludedTest(g_, ConcludedSmokeTest(g_, ui::Clock::now()));
}
