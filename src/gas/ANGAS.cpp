#include "gas/ANGAS.h"

#include "gas/GasCompanionWindows.h"
#include "gas/GasSettings.h"
#include "link/CommEvents.h"
#include "link/LineSettings.h"
#include "link/PortOpening.h"
#include "link/SerialPort.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "ui/Timer.h"

namespace {

constexpr int UiCaption = 46;
constexpr int UiStart = 20;
constexpr int UiPrint = 22;
constexpr int UiVehicleData = 23;
constexpr int UiLimits = 21;
constexpr int UiFuelCaption = 47;
constexpr int UiEngineCaption = 52;
constexpr int UiTestTypeCaption = 53;
constexpr int UiOilCaption = 16;
constexpr int UiResult = 11;
constexpr int UiFirstFuelEntry = 48;
constexpr int UiCertification = 54;
constexpr int UiDiagnosis = 55;

constexpr int MakerAddressModel2 = 0x21;
constexpr int MakerAddress = 0x31;
constexpr int MctcModel = 3;

// The designed entry unless the language table has a text for it.
QString translated(const QString& designed, const QString& text) {
    return text.isEmpty() ? designed : text;
}

} // namespace

ANGAS::ANGAS(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port,
             std::unique_ptr<GasCompanionWindows> companions)
    : MSComm2(*port), g_(g), dialogs_(dialogs), port_(std::move(port)), companions_(std::move(companions)) {
    PBar1.setVisible(false);
    showPressure(false);
    showValuesUnknown();
    Timer1.setHandler([this] { Timer1_Timer(); });
    MSComm2.OnComm = [this] { MSComm2_OnComm(); };
}

ANGAS::~ANGAS() {
    Form_Unload();
    MSComm2.OnComm = nullptr;
}

GasState& ANGAS::gas() const {
    return g_.gas;
}

const QString& ANGAS::uiText(int position) const {
    return g_.lang.UiText[position];
}

void ANGAS::Form_Load() {
    // Each step goes on whatever the file holds: a missing key keeps the value from start-up.
    LoadGasLimits(g_);
    gas::LoadGasAnalyserSettings(g_);
    LoadVehicleData(g_);
    // The analyser's state is learnt anew from its replies.
    GasState& gs = gas();
    gs.AnalyserStatus = 0;
    gs.AnalyserErrorCode = 0;
    gs.FaultyChannelMask = 0;
    gs.LeakTestStatus.clear();
    gs.HcResidueResult.clear();
    // Known before the first choices, so they fill the right protocol's settings.
    setLinkModeFromModel();

    Label9.setBackColor(ui::colour::White);
    Label26.setBackColor(ui::colour::White);
    NextState = QStringLiteral("INIZIO");
    Cycle.ReplyReady = 1;
    PBar1.setValue(0);

    fillLists();
    Combo1.setListIndex(1);
    Combo1_Click();
    Combo3.setListIndex(0);
    Combo3_Click();
    Combo4.setListIndex(1);
    Combo4_Click();
    setTexts();
    LogOn = false;
    LeggiConfini();
    Verification.forget();
    Verification.check(g_);

    LinkState& link = g_.link;
    g_.settings.OpacimeterLinkMode = linkMode_;
    if (linkMode_ == MakerFrames) {
        Command4.setEnabled(false);
        Command6.setEnabled(false);
    } else {
        link.MctcDevice = "GAS";
        link.MctcNumber = "1";
    }

    link.GasPort = &MSComm2;
    OpenInstrumentPort(MSComm2, g_.settings.GasPort, BaudSettings(g_.settings.GasBaudIndex), g_, dialogs_);

    Timer1.setEnabled(true);
    LeakMessageShown = 0;
    ZeroingReplies = 0;
    Cycle.TicksSinceSend = 0;
    loaded_ = true;
}

void ANGAS::setLinkModeFromModel() {
    const int model = g_.settings.GasModel;
    linkMode_ = model == MctcModel ? MctcNet : MakerFrames;
    if (linkMode_ == MakerFrames)
        g_.link.GasBinaryAddress = model == 2 ? MakerAddressModel2 : MakerAddress;
}

void ANGAS::fillLists() {
    QStringList fuels = {"BENZ", "BENZ CAT", "MET", "MET CAT", "GPL", "GPL CAT"};
    // Petrol and LPG have their names in the language table; methane keeps the designed ones.
    const int translatedEntries[] = {0, 1, 4, 5};
    for (int i = 0; i < 4; ++i)
        fuels[translatedEntries[i]] = translated(fuels[translatedEntries[i]], uiText(UiFirstFuelEntry + i));
    Combo1.setItems(fuels);
    Combo3.setItems({QStringLiteral("RPM conv(4T)"), QStringLiteral("RPM dis(2T)")});
    Combo4.setItems({translated(QStringLiteral("Certificazione"), uiText(UiCertification)),
                     translated(QStringLiteral("Diagnosi"), uiText(UiDiagnosis))});
}

void ANGAS::setTexts() {
    Me.setCaption(uiText(UiCaption));
    Command1.setCaption(MeasuringFlag == 1 ? QStringLiteral("S&top") : uiText(UiStart));
    Command2.setCaption(uiText(UiPrint));
    Command3.setCaption(uiText(UiVehicleData));
    Command5.setCaption(uiText(UiLimits));
    Label30.setCaption(uiText(UiFuelCaption));
    Label31.setCaption(uiText(UiEngineCaption));
    Label32.setCaption(uiText(UiTestTypeCaption));
    Label21.setCaption(uiText(UiOilCaption));
    Label28.setCaption(uiText(UiResult));
}

void ANGAS::LeggiConfini() {
    const gas::AnalyserLabels labels = gas::ReadAnalyserLabels();
    Label1.setCaption(labels.model);
    Label3.setCaption(labels.serial);
    gas().SettingsSerial = labels.serial;
}

void ANGAS::Form_Unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    keepInterruptedCertification();
    const SettingsState& s = g_.settings;
    if ((s.ExternalRpm == 1 || s.ExternalOilTemp == 1) && companions_)
        companions_->closeRevCounter();
    if (g_.app.MainBlinkTimer)
        g_.app.MainBlinkTimer->setEnabled(true);
    Timer1.setEnabled(false);
    if (MSComm2.PortOpen())
        MSComm2.setPortOpen(false);
    if (g_.link.GasPort == &MSComm2)
        g_.link.GasPort = nullptr;
    PendingRequest.clear();
    NextState = QStringLiteral("INIZIO");
    queuedMessages_.clear();
    SaveGasLimits(g_);
    g_.app.GasWindowActive = 0;
    Label9.setBackColor(ui::colour::White);
    Label26.setBackColor(ui::colour::White);
}

void ANGAS::CmdOut1_Click() {
    Me.requestClose();
}

void ANGAS::MSComm2_OnComm() {
    if (!TriageCommEvent(MSComm2.CommEvent(), dialogs_))
        return;
    if (!received_.takeInput(MSComm2, ReceiveBuffer::FirstByte::MustBeStx))
        return;
    // The frame kind follows the analyser's configured communication mode.
    switch (g_.settings.GasLinkMode) {
    case MakerFrames: receiveMakerFrame(); break;
    case MctcNet: receiveMctcFrame(); break;
    default: break;
    }
    showQueuedMessages();
}
