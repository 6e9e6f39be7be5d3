#include "link/RPMSU.h"

#include "link/CylinderStepping.h"
#include "link/GenMCTCNET.h"
#include "link/InstrumentModels.h"
#include "link/LineSettings.h"
#include "link/PortOpening.h"
#include "link/SerialPort.h"
#include "link/SetupControls.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"

namespace {

constexpr int UiTextOilTemperature = 16; // ANFUMOTolio
constexpr int UiTextData = 70;           // ANSUDat
constexpr int UiTextApply = 71;          // ANSUAppl
constexpr int UiTextApproval = 73;       // ANSUNOm
constexpr int UiTextMakeAndType = 79;    // DVeicoliFeT
constexpr int UiTextIdentify = 91;       // OPASURil
constexpr int UiTextSerial = 95;         // PrtKAPROCERTNserie
constexpr int UiTextExpiry = 96;         // PrtKAPROCERTDscadCon
constexpr int UiTextCylinders = 138;     // RPMCilindri
constexpr int UiTextStrokes = 139;       // RPMtempi
constexpr int UiTextSaved = 151;         // RPMSUSave

const QByteArray Device = "RPM";
const QByteArray DeviceNumber = "1";

} // namespace

RPMSU::RPMSU(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port)
    : Devices(g), MSComm5(*port), g_(g), dialogs_(dialogs), port_(std::move(port)) {
    PreparePortPicker(VScroll1, Text6);
    // The count changes only by the buttons, which keep it to real engine layouts.
    Text5.setLocked(true);
    MSComm5.OnComm = [this] { MSComm5_OnComm(); };
}

RPMSU::~RPMSU() {
    Form_Unload();
    MSComm5.OnComm = nullptr;
}

void RPMSU::Form_Load() {
    const auto& text = g_.lang.UiText;
    Frame1.setCaption(text[UiTextData]);
    Label1.setCaption(text[UiTextMakeAndType]);
    Label2.setCaption(text[UiTextApproval]);
    Label3.setCaption(text[UiTextSerial]);
    Label4.setCaption(text[UiTextExpiry] + QStringLiteral(" RPM"));
    Label5.setCaption(text[UiTextCylinders]);
    Frame2.setCaption(text[UiTextStrokes]);
    Label8.setCaption(text[UiTextOilTemperature]);
    Command1.setCaption(text[UiTextIdentify]);
    CmdApl.setCaption(text[UiTextApply]);

    // A key that cannot be read keeps the value the program started with.
    LoadRevCounterSettings(g_);
    g_.link.RevCounterSetupPort = port_.get();
    SettingsState& s = g_.settings;
    Text5.setText(QString::number(s.CylinderCount));
    ShowOnOff(Check1, s.ExternalRpm == 1);
    ShowOnOff(Check2, s.ExternalOilTemp == 1);
    s.RpmPort = ShowPort(VScroll1, Text6, s.RpmPort);
    ShowPortFocus(Text6, false);
    Devices.Form_Load(s.RpmPort);
    ShowBaudChoice({&Option1, &Option2, &Option3, &Option4}, s.RpmBaudIndex);
    Option7.setValue(s.StrokeCount == 2);
    Option6.setValue(s.StrokeCount == 4);
    Option8.setValue(s.RpmCommandChoice == 0);
    Option9.setValue(s.RpmCommandChoice == 1);
    Option10.setValue(s.RpmCommandChoice == 2);
    for (ui::TextBox* box : {&Text1, &Text2, &Text3, &Text4})
        box->setText(QString());
}

void RPMSU::Form_Unload() {
    retry_.stop();
    if (MSComm5.PortOpen())
        MSComm5.setPortOpen(false);
    if (g_.link.RevCounterSetupPort == &MSComm5)
        g_.link.RevCounterSetupPort = nullptr;
}

void RPMSU::Command4_Click() {
    Me.requestClose();
}

void RPMSU::openPort() {
    OpenInstrumentPort(MSComm5, g_.settings.RpmPort, IdentificationBaudSettings(g_.settings.RpmBaudIndex), g_,
                       dialogs_);
}

void RPMSU::send(const QByteArray& command, const QByteArray& data) {
    LinkState& link = g_.link;
    link.RevCounterDevice = Device;
    link.RevCounterNumber = DeviceNumber;
    link.RevCounterCommand = command;
    request_ = {Device, DeviceNumber, command};
    SendMctcToRevCounterSetup(g_, Device, command, DeviceNumber, data);
    retry_.sent(command, data);
}

void RPMSU::Command1_Click() {
    for (ui::TextBox* box : {&Text1, &Text2, &Text3, &Text4})
        box->setText(QStringLiteral(" "));
    openPort();
    received_.clear();
    send("ID");
}

void RPMSU::CmdApl_Click() {
    SettingsState& s = g_.settings;
    s.RpmMake = Text1.text();
    s.RpmApproval = Text2.text();
    s.RpmSerial = Text3.text();
    s.RpmExpiry = Text4.text();
    SaveRevCounterSettings(g_);
    openPort();
    // The cylinder reply asks for the strokes; the strokes reply saves again.
    send("CI", QByteArray::number(s.CylinderCount));
}

void RPMSU::MSComm5_OnComm() {
    if (const std::optional<QByteArray> frame = TakeCompleteMctcFrame(received_, MSComm5))
        handleFrame(*frame);
}

void RPMSU::handleFrame(const QByteArray& frame) {
    // A late answer to an earlier request must not repeat its step.
    if (!request_.isAnsweredBy(frame))
        return;
    retry_.answered();
    const QByteArray command = request_.command; // a copy: the CI step sends the next request
    if (command == "ID") {
        ParseIdentityReply(g_.link, frame, request_.commandLength(), request_.numberLength());
        const InstrumentIdentityRecord& id = g_.link.InstrumentIdentity;
        Text1.setText(id.Maker + QStringLiteral("  ") + RightTrimmed(id.Model));
        Text2.setText(id.Homologation);
        Text3.setText(id.SerialNumber);
        Text4.setText(id.ExpiryDate);
    } else if (command == "CI") {
        send("TE", QByteArray::number(g_.settings.StrokeCount));
    } else if (command == "TE") {
        saveAndTell();
    }
}

void RPMSU::saveAndTell() {
    SaveRevCounterSettings(g_);
    dialogs_.message(g_.lang.UiText[UiTextSaved]);
}

void RPMSU::Command2_Click() {
    setCylinders(NextCylinderCount(g_.settings.CylinderCount));
}

void RPMSU::Command3_Click() {
    setCylinders(PreviousCylinderCount(g_.settings.CylinderCount));
}

void RPMSU::setCylinders(int count) {
    g_.settings.CylinderCount = count;
    Text5.setText(QString::number(count));
}

void RPMSU::setStrokes(int strokes) {
    g_.settings.StrokeCount = strokes;
    Option7.setValue(strokes == 2);
    Option6.setValue(strokes == 4);
}

void RPMSU::Check1_Click() {
    g_.settings.ExternalRpm = Check1.isChecked() ? 1 : 0;
    ShowOnOff(Check1, Check1.isChecked());
}

void RPMSU::Check2_Click() {
    g_.settings.ExternalOilTemp = Check2.isChecked() ? 1 : 0;
    ShowOnOff(Check2, Check2.isChecked());
}

void RPMSU::setReadingCommand(int choice) {
    g_.settings.RpmCommandChoice = choice;
    Option8.setValue(choice == 0);
    Option9.setValue(choice == 1);
    Option10.setValue(choice == 2);
}

void RPMSU::setBaud(int baudIndex) {
    g_.settings.RpmBaudIndex = baudIndex;
    ShowBaudChoice({&Option1, &Option2, &Option3, &Option4}, baudIndex);
}

void RPMSU::VScroll1_Change() {
    g_.settings.RpmPort = ShowPort(VScroll1, Text6, VScroll1.value());
    Devices.showPort(g_.settings.RpmPort);
}

void RPMSU::VScroll1_GotFocus() {
    ShowPortFocus(Text6, true);
}

void RPMSU::VScroll1_LostFocus() {
    ShowPortFocus(Text6, false);
}
