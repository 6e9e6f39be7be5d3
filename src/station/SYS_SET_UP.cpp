#include "station/SYS_SET_UP.h"

#include "lang/LanguageTexts.h"
#include "settings/ConfFile.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"

namespace {

ui::CheckState tickedIf(bool on) {
    return on ? ui::CheckState::Checked : ui::CheckState::Unchecked;
}

} // namespace

SYS_SET_UP::SYS_SET_UP(Globals& g, ui::Dialogs& dialogs) : g_(g), dialogs_(dialogs) {}

void SYS_SET_UP::Form_Load() {
    // A coefficient that does not read keeps its previous value; the window opens anyway.
    LoadSystemOptions(g_);
    const std::uint8_t bits = g_.settings.SystemOptions;
    CkAbilOpa.setValue(tickedIf(bits & OpacityRangeBit));
    CkAbilKapro.setValue(tickedIf(bits & HcRangeBit));
    CkAbilTt.setValue(tickedIf(bits & NoLeakTestBit));
    TKquad.setText(settings::formatDouble(g_.settings.HcRangeQuadCoeff));
    TKlin.setText(settings::formatDouble(g_.settings.HcRangeLinCoeff));

    LoadVerificationSettings(g_);
    Label3.setCaption(NamedText(g_, u"SYSSUMesiTaratura"));
    Label4.setCaption(NamedText(g_, u"SYSSUGiorniAvviso"));
    CkScaduti.setCaption(NamedText(g_, u"SYSSUConsentiScaduti"));
    TMesi.setText(settings::formatInteger(g_.settings.VerificationValidityMonths));
    TGiorni.setText(settings::formatInteger(g_.settings.VerificationWarningDays));
    CkScaduti.setValue(tickedIf(g_.settings.ExpiredInstrumentAllowed));
}

std::uint8_t SYS_SET_UP::TickedBits() const {
    // A grayed box is not ticked.
    std::uint8_t bits = 0;
    if (CkAbilOpa.isChecked())
        bits |= OpacityRangeBit;
    if (CkAbilKapro.isChecked())
        bits |= HcRangeBit;
    if (CkAbilTt.isChecked())
        bits |= NoLeakTestBit;
    return bits;
}

std::optional<double> SYS_SET_UP::Coefficient(const ui::TextBox& box, const QString& name) {
    const std::optional<double> value = settings::parseNumber(box.text());
    if (!value)
        dialogs_.message(name + QStringLiteral(": valore non numerico"), Me.caption(), ui::Icon::Exclamation);
    return value;
}

std::optional<int> SYS_SET_UP::WholeNumber(const ui::TextBox& box, const QString& name, int lowest, int highest) {
    const auto value = settings::parseInteger(box.text().trimmed(), lowest, highest);
    if (!value)
        dialogs_.message(name + QStringLiteral(": %1..%2").arg(lowest).arg(highest), Me.caption(),
                         ui::Icon::Exclamation);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

void SYS_SET_UP::CSalva_Click() {
    const std::optional<double> quad = Coefficient(TKquad, Label1.caption());
    if (!quad)
        return;
    const std::optional<double> lin = Coefficient(TKlin, Label2.caption());
    if (!lin)
        return;
    const std::optional<int> months = WholeNumber(TMesi, Label3.caption(), 1, 120);
    if (!months)
        return;
    const std::optional<int> days = WholeNumber(TGiorni, Label4.caption(), 0, 365);
    if (!days)
        return;
    SettingsState& settings = g_.settings;
    settings.SystemOptions = TickedBits();
    settings.HcRangeQuadCoeff = *quad;
    settings.HcRangeLinCoeff = *lin;
    SaveSystemOptions(settings.SystemOptions, *quad, *lin);
    settings.VerificationValidityMonths = *months;
    settings.VerificationWarningDays = *days;
    settings.ExpiredInstrumentAllowed = CkScaduti.isChecked();
    SaveVerificationSettings(g_);
    Me.requestClose();
}

void SYS_SET_UP::CAnnulla_Click() {
    Me.requestClose();
}

bool SYS_SET_UP::Form_QueryUnload() {
    return true;
}
