// What the window shows of the instrument's state, whichever protocol reported it.

#include "smoke/ANFUMO.h"

#include "shared/Globals.h"
#include "smoke/SmokeTexts.h"

void ANFUMO::setStatus(const QString& text, ui::Colour colour) {
    Label2.setCaption(text);
    Label2.setBackColor(colour);
}

void ANFUMO::setPrompt(int text, ui::Colour colour) {
    Label39.setCaption(g_.lang.UiText[text]);
    Label39.setBackColor(colour);
}

void ANFUMO::showWarmUp(int statusText, bool alwaysResetSelection) {
    using namespace smoke_text;
    if (alwaysResetSelection || MeasureSelection == Manual || MeasureSelection == DirectAcquisition) {
        Command1.setEnabled(false);
        Combo1.setListIndex(0);
        Combo1_Click();
    }
    Label24.setBackColor(warm() ? ui::colour::White : ui::colour::Red);
    setStatus(g_.lang.UiText[statusText], ui::colour::White);
    setPrompt(AttRisc, ui::colour::White);
    Label33.setCaption(g_.lang.UiText[Esito]);
    Label33.setBackColor(ui::colour::White);
    Linette();
    showRowsUnknown();
}

void ANFUMO::showAlarm(int number) {
    using namespace smoke_text;
    static constexpr int Prompts[] = {0, PPOtt, EnnO, PAlta, PBassa};
    AlarmActive = 1;
    setStatus(QStringLiteral("ERROR %1").arg(number), ui::colour::Red);
    setPrompt(Prompts[number], ui::colour::Red);
    Linette();
}

void ANFUMO::restartPhaseAfterZeroing() {
    switch (MeasureSelection) {
    case Continuous: break;
    case Manual:
    case DirectAcquisition:
        TestPhase = QStringLiteral("DUE");
        Command1.setEnabled(false);
        break;
    default: TestPhase = QStringLiteral("AVVIOALTO"); break;
    }
}
