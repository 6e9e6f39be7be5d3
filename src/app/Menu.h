#pragma once

#include "ui/Controls.h"
#include "ui/Timer.h"

#include <functional>

struct Globals;
class WindowFactory;
namespace ui {
class Dialogs;
}

// The start-up window ("Menù"): clears the previous run's logs, loads the
// settings and texts, opens every other window and ends the program.
class Menu {
  public:
    // endProgram stops the whole program at once, once the measuring windows have closed.
    Menu(Globals& g, ui::Dialogs& dialogs, WindowFactory& windows, std::function<void()> endProgram);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    ui::Window Me{QStringLiteral("Start menù")};
    ui::Label LabelTit{QStringLiteral("Korvellan - Sistema Integrato di Analisi Gas && Fumi")};
    ui::Label Label1{QStringLiteral("Korvellan")};
    ui::Picture Image1;
    ui::Picture Picture1;
    ui::Timer Timer1{1000, true};

    ui::Button CmdAnGas{QStringLiteral("Kapro")};
    ui::Button CmdAnFumo{QStringLiteral("Opa")};
    ui::Button CmdRPM{QStringLiteral("Rpm")};
    ui::Button CmdOut{QStringLiteral("ESC")};
    ui::Button Command1{QStringLiteral("TEST")};

    ui::MenuItem KAPRO{QStringLiteral("&Kapro")};
    ui::MenuItem MISURAG{QStringLiteral("Misura")};
    ui::MenuItem SETG{QStringLiteral("Set-Up")};
    ui::MenuItem OPA{QStringLiteral("&Opa")};
    ui::MenuItem MISURAO{QStringLiteral("Misura")};
    ui::MenuItem SETO{QStringLiteral("Set-Up")};
    ui::MenuItem GIRI{QStringLiteral("&Rpm")};
    ui::MenuItem MISURAR{QStringLiteral("Misura")};
    ui::MenuItem SETR{QStringLiteral("Set-Up")};
    ui::MenuItem LINGUA{QStringLiteral("&Lingua")};
    ui::MenuItem LINGITA{QStringLiteral("Italiano")};
    ui::MenuItem LINGING{QStringLiteral("English")};
    ui::MenuItem LINGSPA{QStringLiteral("Espanol")};
    ui::MenuItem UTILITY{QStringLiteral("&Utilità")};
    ui::MenuItem DVEIC{QStringLiteral("Dati Veicoli")};
    ui::MenuItem DAMBIENT{QStringLiteral("Dati Ambientali")};
    ui::MenuItem RICONOSCI{QStringLiteral("Lettura COM")};
    ui::MenuItem SYSSU{QStringLiteral("System Set-Up")};
    ui::MenuItem ARCHIVIO{QStringLiteral("Archivio prove")};
    ui::MenuItem ARCHIVIOSET{QStringLiteral("Impostazioni archivio")};

    // Empty at start, which blinks like 0: the first tick hides Picture1.
    int BlinkState = 0;

    void Form_Load();
    // The operator closed the window.
    void Form_Unload();
    void Timer1_Timer();

    void CmdOut_Click();
    void CmdAnGas_Click();
    void CmdAnFumo_Click();
    void CmdRPM_Click();
    void Command1_Click();
    void Image1_Click();

    void MISURAG_Click();
    void SETG_Click();
    void MISURAO_Click();
    void SETO_Click();
    void MISURAR_Click();
    void SETR_Click();
    void LINGITA_Click();
    void LINGING_Click();
    void LINGSPA_Click();
    void DVEIC_Click();
    void DAMBIENT_Click();
    void RICONOSCI_Click();
    void SYSSU_Click();
    void ARCHIVIO_Click();
    void ARCHIVIOSET_Click();

  private:
    void openGasWindow();
    void openSmokeWindow();
    void openRevCounterBesideMeasuring();
    void openRevCounterAlone();
    void switchLanguage(int code);
    void applyLanguageTexts();
    void exitSequence();
    // Opens a protected window once the service password is accepted.
    void openBehindServicePassword(void (WindowFactory::*open)());

    Globals& g_;
    ui::Dialogs& dialogs_;
    WindowFactory& windows_;
    std::function<void()> endProgram_;
};
