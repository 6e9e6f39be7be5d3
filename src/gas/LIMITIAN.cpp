#include "gas/LIMITIAN.h"

#include "settings/NumberEntry.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"

#include <array>
#include <limits>

namespace {

// Positions in the language table.
constexpr int ApplyText = 71;    // ANSUAppl
constexpr int CaptionText = 84;  // LIMITICap
constexpr int DurationText = 87; // LIMITIANDProva
constexpr int RpmCheckText = 88; // LIMITIANAbRPM

// The duration is kept in 25 ms scheduler ticks, 40 to the second, in 16 bits.
constexpr int TicksPerSecond = 40;
constexpr long long MaxSeconds = std::numeric_limits<std::int16_t>::max() / TicksPerSecond;

} // namespace

const QStringList LIMITIAN::IdleCOcorrChoices = {QStringLiteral("4,5"), QStringLiteral("3,5"), QStringLiteral("0,5"),
                                                 QStringLiteral("0,3")};
const QStringList LIMITIAN::AcceleratedCOcorrChoices = {QStringLiteral("0,3"), QStringLiteral("0,2")};

LIMITIAN::LIMITIAN(Globals& g, ui::Dialogs& dialogs) : g_(g), dialogs_(dialogs) {}

void LIMITIAN::Form_Load() {
    const auto& text = g_.lang.UiText;
    Me.setCaption(text[CaptionText]);
    Label8.setCaption(text[DurationText]);
    CmdApl.setCaption(text[ApplyText]);
    Check1.setCaption(text[RpmCheckText]);

    const SettingsState& s = g_.settings;
    Check1.setValue(s.RpmCheck == 1 ? ui::CheckState::Checked : ui::CheckState::Unchecked);
    for (ui::TextBox* box : {&Text2, &Text3, &Text8})
        box->setEnabled(true);
    Text1.setText(settings::formatDouble(s.RPMmin));
    Text2.setText(settings::formatDouble(s.RPMmaccLI));
    Text3.setText(settings::formatDouble(s.RPMmaccLS));
    Text4.setText(settings::formatDouble(s.LambdaLI));
    Text5.setText(settings::formatDouble(s.LambdaLS));
    CombCOcorMin.setText(settings::formatDouble(s.LCOcorMin));
    CombCOcorMinacc.setText(settings::formatDouble(s.LCOcorMinacc));
    Text8.setText(settings::formatInteger(settings::roundHalfEven(s.TestDurationTicks / double(TicksPerSecond))));
}

void LIMITIAN::Check1_Click() {
    g_.settings.RpmCheck = Check1.isChecked() ? 1 : 0;
}

void LIMITIAN::refuse(const ui::Label& caption) {
    dialogs_.message(settings::NotANumberMessage(caption.caption(), g_.settings.LanguageCode), Me.caption(),
                     ui::Icon::Exclamation);
}

std::optional<double> LIMITIAN::entryNumber(const ui::TextBox& box, const ui::Label& caption) {
    // No limit of these tests is below zero; a minus sign is a slip of the hand.
    const std::optional<double> value = settings::parseNumber(box.text());
    if (!value || *value < 0) {
        refuse(caption);
        return std::nullopt;
    }
    return value;
}

std::optional<long long> LIMITIAN::entrySeconds() {
    const std::optional<long long> seconds = settings::parseInteger(Text8.text(), 1, MaxSeconds);
    if (!seconds)
        refuse(Label8);
    return seconds;
}

void LIMITIAN::CmdApl_Click() {
    struct Entry {
        const ui::TextBox& box;
        const ui::Label& caption;
        double& limit;
    };
    SettingsState& s = g_.settings;
    const std::array<Entry, 7> entries = {{{Text1, Label1, s.RPMmin},
                                           {Text2, Label2, s.RPMmaccLI},
                                           {Text3, Label3, s.RPMmaccLS},
                                           {Text4, Label4, s.LambdaLI},
                                           {Text5, Label5, s.LambdaLS},
                                           {CombCOcorMin, Label6, s.LCOcorMin},
                                           {CombCOcorMinacc, Label7, s.LCOcorMinacc}}};
    // Read in window order, so the first entry in error is the one named.
    std::array<double, 7> values{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::optional<double> value = entryNumber(entries[i].box, entries[i].caption);
        if (!value)
            return;
        values[i] = *value;
    }
    const std::optional<long long> seconds = entrySeconds();
    if (!seconds)
        return;

    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i].limit = values[i];
    s.TestDurationTicks = static_cast<std::int16_t>(*seconds * TicksPerSecond);
    Me.requestClose();
}

bool LIMITIAN::Form_QueryUnload() {
    return true;
}
