#include "link/ANSU.h"

#include "link/GenMCTCNET.h"
#include "link/SetupChecksum.h"

namespace {

constexpr int UiTextCaption = 68;  // ANSUCap
constexpr int UiTextApply = 71;    // ANSUAppl
constexpr int UiTextIdentify = 91; // OPASURil

// The analyser parameter the checksum is taken over.
const QByteArray ChecksumParameter = "193";

const InstrumentSetUpKind& gasKind() {
    static const InstrumentSetUpKind kind{
        "GAS",
        QStringLiteral("COMKAPRO"),
        QStringLiteral("MODKAPRO"),
        UiTextCaption,
        QStringLiteral("Sel.KAPRO"),
        GasModelRows(),
        &SendMctcToGasSetup,
        &LinkState::GasSetupPort,
        &LinkState::GasBinaryAddress,
        &SettingsState::GasLinkMode,
        &SettingsState::GasPort,
        &SettingsState::GasBaudIndex,
        &SettingsState::GasModel,
        &SettingsState::GasMake,
        &SettingsState::GasApproval,
    };
    return kind;
}

} // namespace

ANSU::ANSU(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port)
    : InstrumentSetUp(g, dialogs, std::move(port), gasKind()), MSComm6(this->port()) {
    Text8.setLocked(true);
}

void ANSU::Form_Load() {
    InstrumentSetUp::Form_Load();
    Command2.setCaption(globals().lang.UiText[UiTextIdentify]);
    CmdApl.setCaption(globals().lang.UiText[UiTextApply]);
}

void ANSU::identified(const QString& model) {
    // Every model the list does not know is taken as the MCTC-NET analyser.
    chooseModel(GasRowOfModel(model));
    send("@LU", ChecksumParameter);
}

void ANSU::replied(const QByteArray& command, const QByteArray& frame) {
    if (command != "@LU")
        return;
    const QByteArray field = MctcDataField(frame, static_cast<int>(command.size()), 1).value_or(QByteArray());
    Text8.setText(ChecksumText(CRC32_3(ParameterHexText(field))));
}
