#include "smoke/LIMITI.h"

#include "settings/NumberEntry.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Positions in the language table.
constexpr int ApplyText = 71;     // ANSUAppl
constexpr int CaptionText = 84;   // LIMITICap
constexpr int ThresholdText = 85; // LIMITISOp
constexpr int LimitKText = 86;    // LIMITIVLim

constexpr double SingleMax = std::numeric_limits<float>::max();

// The speeds are compared in single precision, as they are kept.
float toSingle(double value) {
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(std::clamp(value, -SingleMax, SingleMax));
}

} // namespace

LIMITI::LIMITI(Globals& g, ui::Dialogs& dialogs, std::function<void()> enableStart)
    : g_(g), dialogs_(dialogs), enableStart_(std::move(enableStart)) {}

void LIMITI::Form_Load() {
    const auto& text = g_.lang.UiText;
    Me.setCaption(text[CaptionText]);
    Label3.setCaption(text[ThresholdText]);
    Label4.setCaption(text[LimitKText]);
    CmdApl.setCaption(text[ApplyText]);

    const SettingsState& s = g_.settings;
    Text1.setText(settings::formatSingle(s.LimitRpmMin));
    Text2.setText(settings::formatSingle(s.LimitRpmMax));
    Text3.setText(settings::formatDouble(s.OpacityThreshold));
    Text4.setText(settings::formatDouble(s.OpacityLimitK));
}

std::optional<double> LIMITI::boxNumber(const ui::TextBox& box, const ui::Label& caption, bool singlePrecision) {
    std::optional<double> value = settings::parseNumber(box.text());
    if (value && singlePrecision && std::abs(*value) > SingleMax)
        value.reset();
    if (!value)
        dialogs_.message(settings::NotANumberMessage(caption.caption(), g_.settings.LanguageCode), Me.caption(),
                         ui::Icon::Exclamation);
    return value;
}

void LIMITI::CmdApl_Click() {
    // Read in box order, so the first box in error is the one named.
    const std::optional<double> rpmMin = boxNumber(Text1, Label1, true);
    if (!rpmMin)
        return;
    const std::optional<double> rpmMax = boxNumber(Text2, Label2, true);
    if (!rpmMax)
        return;
    const std::optional<double> threshold = boxNumber(Text3, Label3, false);
    if (!threshold)
        return;
    const std::optional<double> limitK = boxNumber(Text4, Label4, false);
    if (!limitK)
        return;

    SettingsState& s = g_.settings;
    s.LimitRpmMin = toSingle(*rpmMin);
    s.LimitRpmMax = toSingle(*rpmMax);
    s.OpacityThreshold = *threshold;
    s.OpacityLimitK = *limitK;
    if (toSingle(g_.smoke.EngineSpeed) < s.LimitRpmMin && enableStart_)
        enableStart_();
    Me.requestClose();
}

bool LIMITI::Form_QueryUnload() {
    return true;
}
