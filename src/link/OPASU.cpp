#include "link/OPASU.h"

#include "link/GenMCTCNET.h"

namespace {

constexpr int UiTextCaption = 89;  // OPASUCap
constexpr int UiTextApply = 71;    // ANSUAppl
constexpr int UiTextIdentify = 91; // OPASURil

const InstrumentSetUpKind& opacimeterKind() {
    static const InstrumentSetUpKind kind{
        "OPA",
        QStringLiteral("COMOPA"),
        QStringLiteral("MODOPA"),
        UiTextCaption,
        QStringLiteral("select OPA"),
        OpacimeterModelRows(),
        &SendMctcToOpacimeterSetup,
        &LinkState::OpacimeterSetupPort,
        &LinkState::OpacimeterBinaryAddress,
        &SettingsState::OpacimeterLinkMode,
        &SettingsState::SmokePort,
        &SettingsState::SmokeBaudIndex,
        &SettingsState::SmokeModel,
        &SettingsState::OpacimeterMake,
        &SettingsState::OpacimeterApproval,
    };
    return kind;
}

} // namespace

OPASU::OPASU(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port)
    : InstrumentSetUp(g, dialogs, std::move(port), opacimeterKind()), MSComm4(this->port()) {
    Combo2.setItems({QStringLiteral("% unit range"), QStringLiteral("HSU unit range")});
}

void OPASU::Form_Load() {
    InstrumentSetUp::Form_Load();
    const int unit = globals().settings.SmokeUnit;
    if (unit >= 0 && unit < Combo2.listCount())
        Combo2.setListIndex(unit);
    ComFind.setCaption(globals().lang.UiText[UiTextIdentify]);
    ComSave.setCaption(globals().lang.UiText[UiTextApply]);
    // The mode shows only once a model is chosen or identified here.
    Option5.setValue(false);
    Option6.setValue(false);
}

void OPASU::Combo2_Click() {
    if (Combo2.listIndex() >= 0)
        globals().settings.SmokeUnit = Combo2.listIndex();
}

void OPASU::identified(const QString& model) {
    // A model the list does not know leaves the operator's choice alone.
    if (const std::optional<int> row = OpacimeterRowOfModel(model))
        chooseModel(*row);
}

void OPASU::loadModelExtras(RCLIni& ini) {
    ReadSetupInteger(ini, "UnitOpa", globals().settings.SmokeUnit);
}

void OPASU::saveModelExtras(RCLIni& ini) {
    WriteSetupInteger(ini, "UnitOpa", globals().settings.SmokeUnit);
}
