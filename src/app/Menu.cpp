#include "app/Menu.h"

#include "app/WindowFactory.h"
#include "lang/LanguageTexts.h"
#include "settings/ConfFile.h"
#include "settings/WholeFile.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"
#include "ui/Paths.h"

#include <exception>
#include <initializer_list>

namespace {

// Start-up and the language switch never stop on a failing
// step: the step is skipped and the next one runs.
void runIgnoringErrors(std::initializer_list<std::function<void()>> steps) {
    for (const auto& step : steps) {
        try {
            step();
        } catch (const std::exception&) {
        }
    }
}

} // namespace

Menu::Menu(Globals& g, ui::Dialogs& dialogs, WindowFactory& windows, std::function<void()> endProgram)
    : g_(g), dialogs_(dialogs), windows_(windows), endProgram_(std::move(endProgram)) {
    Image1.setPicture(QStringLiteral("Immagini/Logo.png"));
    Picture1.setPicture(QStringLiteral("Immagini/Spia.png"));
    Timer1.setHandler([this] { Timer1_Timer(); });
    g_.app.MainBlinkTimer = &Timer1;
}

Menu::~Menu() {
    if (g_.app.MainBlinkTimer == &Timer1)
        g_.app.MainBlinkTimer = nullptr;
}

void Menu::Form_Load() {
    runIgnoringErrors({
        [] { settings::discardFile(ui::Paths::inProgramDirectory(QStringLiteral("smoke.log"))); },
        [] { settings::discardFile(ui::Paths::inProgramDirectory(QStringLiteral("gas.log"))); },
        [this] { LoadLanguageChoice(g_); },
        [this] { LoadInstrumentPorts(g_); },
        [this] { LoadOperatorData(g_); },
        [this] { LoadRevCounterSettings(g_); },
        [this] { LoadAmbientData(g_); },
        [this] { LoadLanguageTexts(g_, g_.settings.LanguageCode); },
        [this] { LoadSystemOptions(g_); },
        [this] { LoadArchiveSettings(g_); },
        [this] { applyLanguageTexts(); },
    });
}

void Menu::applyLanguageTexts() {
    const auto& text = g_.lang.UiText;
    LabelTit.setCaption(text[0]);
    MISURAG.setCaption(text[45]);
    MISURAO.setCaption(text[45]);
    MISURAR.setCaption(text[45]);
    DVEIC.setCaption(text[127]);
    DAMBIENT.setCaption(text[74]);
    RICONOSCI.setCaption(text[125]);
    UTILITY.setCaption(text[158]);
    ARCHIVIO.setCaption(NamedText(g_, u"ARCHIVIOTitolo"));
    ARCHIVIOSET.setCaption(NamedText(g_, u"ARCHIVIOSETTitolo"));
    LINGUA.setCaption(text[4]);
}

void Menu::Form_Unload() {
    exitSequence();
}

void Menu::CmdOut_Click() {
    exitSequence();
}

void Menu::exitSequence() {
    runIgnoringErrors({[this] { SaveLanguageChoice(g_); }});
    // Open measuring windows close the usual way first: limits saved, ports closed.
    windows_.unloadMeasuringWindows();
    if (endProgram_)
        endProgram_();
}

void Menu::Timer1_Timer() {
    if (BlinkState == 1) {
        Picture1.setVisible(true);
        BlinkState = 0;
    } else {
        Picture1.setVisible(false);
        BlinkState = 1;
    }
}

void Menu::openRevCounterBesideMeasuring() {
    if (g_.settings.ExternalRpm == 1 || g_.settings.ExternalOilTemp == 1)
        windows_.showRevCounterMinimised();
}

void Menu::openGasWindow() {
    Timer1.setEnabled(false);
    g_.app.GasWindowActive = 1;
    openRevCounterBesideMeasuring();
    windows_.showGasWindow();
}

void Menu::openSmokeWindow() {
    Timer1.setEnabled(false);
    g_.app.SmokeWindowActive = 1;
    g_.app.SmokeFirstStart = 1;
    openRevCounterBesideMeasuring();
    windows_.showSmokeWindow();
}

void Menu::openRevCounterAlone() {
    Timer1.setEnabled(false);
    windows_.showRevCounterModal();
    windows_.unloadMeasuringWindows();
}

void Menu::CmdAnGas_Click() {
    openGasWindow();
}
void Menu::MISURAG_Click() {
    openGasWindow();
}
void Menu::CmdAnFumo_Click() {
    openSmokeWindow();
}
void Menu::MISURAO_Click() {
    openSmokeWindow();
}
void Menu::CmdRPM_Click() {
    openRevCounterAlone();
}
void Menu::MISURAR_Click() {
    openRevCounterAlone();
}

void Menu::SETG_Click() {
    windows_.showGasSetUp();
}
void Menu::SETO_Click() {
    windows_.showSmokeSetUp();
}
void Menu::SETR_Click() {
    windows_.showRevCounterSetUp();
}
void Menu::RICONOSCI_Click() {
    windows_.showRecognition();
}
void Menu::DVEIC_Click() {
    windows_.showOperatorData();
}
void Menu::DAMBIENT_Click() {
    windows_.showAmbientData();
}
void Menu::ARCHIVIO_Click() {
    windows_.showArchive();
}
void Menu::Image1_Click() {
    windows_.showAbout();
}
void Menu::Command1_Click() {
    windows_.showTest();
}

void Menu::LINGITA_Click() {
    switchLanguage(1);
}
void Menu::LINGING_Click() {
    switchLanguage(2);
}
void Menu::LINGSPA_Click() {
    switchLanguage(3);
}

void Menu::switchLanguage(int code) {
    g_.settings.LanguageCode = static_cast<std::int16_t>(code);
    runIgnoringErrors({
        [this, code] { LoadLanguageTexts(g_, code); },
        [this] { applyLanguageTexts(); },
        [this] { SaveLanguageChoice(g_); },
    });
}

void Menu::SYSSU_Click() {
    openBehindServicePassword(&WindowFactory::showSystemSetUp);
}

// Where the tests go is a service matter, like the system options.
void Menu::ARCHIVIOSET_Click() {
    openBehindServicePassword(&WindowFactory::showArchiveSettings);
}

void Menu::openBehindServicePassword(void (WindowFactory::*open)()) {
    windows_.showPassword();
    switch (g_.app.PasswordResult) {
    case 1: (windows_.*open)(); break;
    case 0: dialogs_.message(QStringLiteral("Password non Valida")); break;
    default: break;
    }
}
