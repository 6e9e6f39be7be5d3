#include "link/InstrumentSetUp.h"

#include "link/LineSettings.h"
#include "link/MctcFrame.h"
#include "link/MctcParsers.h"
#include "link/PortOpening.h"
#include "link/SerialPort.h"
#include "settings/ConfFile.h"
#include "settings/NumberText.h"
#include "settings/RCLIni.h"
#include "ui/Dialogs.h"

#include <cstdint>
#include <limits>

namespace {

constexpr int UiTextData = 70;   // ANSUDat
constexpr int UiTextSaved = 151; // RPMSUSave
constexpr int MctcNetMode = 2;
constexpr int MakerFramesMode = 1;

const QByteArray DeviceNumber = "1";

// A text key that is absent leaves the field empty: an identity field must
// never take over the text of the key read before it.
QString readText(RCLIni& ini, const QString& key) {
    ini.key = key;
    ini.Value.clear();
    return ini.GetValue() ? ini.Value : QString();
}

void writeText(RCLIni& ini, const QString& key, const QString& value) {
    ini.key = key;
    ini.Value = value;
    ini.SetValue();
}

RCLIni settingsFile(const QString& section) {
    RCLIni ini;
    ini.File = SettingsPath();
    ini.Section = section;
    return ini;
}

} // namespace

void ReadSetupInteger(RCLIni& ini, const QString& key, int& target) {
    ini.key = key;
    if (!ini.GetValue())
        return;
    if (const auto value = settings::parseInteger(ini.Value, std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max()))
        target = static_cast<int>(*value);
}

void WriteSetupInteger(RCLIni& ini, const QString& key, int value) {
    writeText(ini, key, settings::formatInteger(value));
}

InstrumentSetUp::InstrumentSetUp(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port,
                                 const InstrumentSetUpKind& kind)
    : Devices(g), g_(g), dialogs_(dialogs), port_(std::move(port)), kind_(kind) {
    PreparePortPicker(VScroll1, Text5);
    Combo1.setCaption(kind_.listPrompt);
    QStringList rows;
    for (const InstrumentModelRow& row : kind_.models)
        rows << row.listText;
    Combo1.setItems(rows);
    // Shown only: the operator cannot pick a mode the model does not speak.
    FrameMod.setEnabled(false);
    Option5.setEnabled(false);
    Option6.setEnabled(false);
    port_->OnComm = [this] { onComm(); };
}

InstrumentSetUp::~InstrumentSetUp() {
    Form_Unload();
    port_->OnComm = nullptr;
}

void InstrumentSetUp::Form_Load() {
    g_.link.*kind_.setupPort = port_.get();
    loadSettings();

    Me.setCaption(g_.lang.UiText[kind_.captionText]);
    Frame1.setCaption(g_.lang.UiText[UiTextData]);
    chooseModel(setting(kind_.model));

    setting(kind_.comPort) = ShowPort(VScroll1, Text5, setting(kind_.comPort));
    ShowBaudChoice({&Option1, &Option2, &Option3, &Option4}, setting(kind_.baudIndex));
    ShowPortFocus(Text5, false);
    Devices.Form_Load(setting(kind_.comPort));
}

void InstrumentSetUp::Form_Unload() {
    retry_.stop();
    if (port_->PortOpen())
        port_->setPortOpen(false);
    if (g_.link.*kind_.setupPort == port_.get())
        g_.link.*kind_.setupPort = nullptr;
}

void InstrumentSetUp::loadSettings() {
    RCLIni ini = settingsFile(kind_.portSection);
    ReadSetupInteger(ini, "TModCom", setting(kind_.linkMode));
    ReadSetupInteger(ini, "TCOM", setting(kind_.comPort));
    ReadSetupInteger(ini, "TBRate", setting(kind_.baudIndex));
    identity_.Maker = readText(ini, "Marca");
    identity_.Homologation = readText(ini, "NOmologa");
    identity_.Model = readText(ini, "Modello");
    identity_.SerialNumber = readText(ini, "Nserie");
    identity_.Version = readText(ini, "Versione");
    identity_.ExpiryDate = readText(ini, "Scadenza");
    identity_.Extra.clear();
    g_.link.InstrumentIdentity = identity_;

    ini.Section = kind_.modelSection;
    ReadSetupInteger(ini, "Modello", setting(kind_.model));
    loadModelExtras(ini);
}

void InstrumentSetUp::loadModelExtras(RCLIni&) {}

void InstrumentSetUp::saveModelExtras(RCLIni&) {}

void InstrumentSetUp::Combo1_Click() {
    const int row = Combo1.listIndex();
    if (row < 0 || row >= static_cast<int>(kind_.models.size()))
        return;
    const InstrumentModelRow& model = kind_.models[row];
    setting(kind_.model) = row;
    if (model.binaryAddress != 0)
        g_.link.*kind_.binaryAddress = model.binaryAddress;
    setting(kind_.linkMode) = model.linkMode;
    showLinkMode(model.linkMode);
}

void InstrumentSetUp::chooseModel(int row) {
    // A stored row the list does not have selects nothing and changes nothing.
    if (row < 0 || row >= Combo1.listCount())
        return;
    Combo1.setListIndex(row);
    Combo1_Click();
}

void InstrumentSetUp::showLinkMode(int mode) {
    Option5.setValue(mode == MakerFramesMode);
    Option6.setValue(mode == MctcNetMode);
}

void InstrumentSetUp::VScroll1_Change() {
    setting(kind_.comPort) = ShowPort(VScroll1, Text5, VScroll1.value());
    Devices.showPort(setting(kind_.comPort));
}

void InstrumentSetUp::VScroll1_GotFocus() {
    ShowPortFocus(Text5, true);
}

void InstrumentSetUp::VScroll1_LostFocus() {
    ShowPortFocus(Text5, false);
}

void InstrumentSetUp::chooseBaud(int baudIndex) {
    setting(kind_.baudIndex) = baudIndex;
    ShowBaudChoice({&Option1, &Option2, &Option3, &Option4}, baudIndex);
}

std::array<ui::TextBox*, 6> InstrumentSetUp::identityBoxes() {
    return {&Text1, &Text2, &Text3, &Text4, &Text6, &Text7};
}

void InstrumentSetUp::identify() {
    for (ui::TextBox* box : identityBoxes())
        box->setText(QStringLiteral(" "));
    OpenInstrumentPort(*port_, setting(kind_.comPort), IdentificationBaudSettings(setting(kind_.baudIndex)), g_,
                       dialogs_);
    received_.clear();
    send("ID");
}

void InstrumentSetUp::send(const QByteArray& command, const QByteArray& data) {
    request_ = {kind_.device, DeviceNumber, command};
    request_.copyTo(g_.link);
    kind_.send(g_, kind_.device, command, DeviceNumber, data);
    retry_.sent(command, data);
}

void InstrumentSetUp::onComm() {
    const std::optional<QByteArray> frame = TakeCompleteMctcFrame(received_, *port_);
    // Checked against what this window sent, not the shared last command: a
    // measuring window polling meanwhile must not spoil the identification.
    if (!frame || !request_.isAnsweredBy(*frame))
        return;
    retry_.answered();
    if (request_.command != "ID") {
        replied(request_.command, *frame);
        return;
    }
    ParseIdentityReply(g_.link, *frame, request_.commandLength(), request_.numberLength());
    identity_ = g_.link.InstrumentIdentity;
    showIdentity();
    identified(Text3.text());
}

void InstrumentSetUp::replied(const QByteArray&, const QByteArray&) {}

void InstrumentSetUp::showIdentity() {
    Text1.setText(identity_.Maker);
    Text2.setText(identity_.Homologation);
    Text3.setText(RightTrimmed(identity_.Model));
    Text4.setText(identity_.SerialNumber);
    Text6.setText(identity_.Version);
    Text7.setText(identity_.ExpiryDate);
}

void InstrumentSetUp::save() {
    saveSettings();
    dialogs_.message(g_.lang.UiText[UiTextSaved]);
}

void InstrumentSetUp::saveSettings() {
    SettingsState& s = g_.settings;
    RCLIni ini = settingsFile(kind_.portSection);
    WriteSetupInteger(ini, "TModCom", setting(kind_.linkMode));
    WriteSetupInteger(ini, "TCOM", setting(kind_.comPort));
    WriteSetupInteger(ini, "TBRate", setting(kind_.baudIndex));
    writeText(ini, "Marca", identity_.Maker);
    writeText(ini, "NOmologa", identity_.Homologation);
    writeText(ini, "Modello", identity_.Model);
    writeText(ini, "Nserie", identity_.SerialNumber);
    writeText(ini, "Versione", identity_.Version);
    writeText(ini, "Scadenza", identity_.ExpiryDate);
    // The start-up copies of make and approval follow what was stored.
    s.*kind_.make = identity_.Maker;
    s.*kind_.approval = identity_.Homologation;

    ini.Section = kind_.modelSection;
    WriteSetupInteger(ini, "Modello", setting(kind_.model));
    saveModelExtras(ini);
}
