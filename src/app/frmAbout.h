#pragma once

#include "app/SystemInfoTool.h"
#include "app/Version.h"
#include "ui/Controls.h"

struct Globals;
namespace ui {
class Dialogs;
}

// The about box: program name, version and description, and a way to the
// platform's system-information tool.
class frmAbout {
  public:
    frmAbout(Globals& g, ui::Dialogs& dialogs, SystemInfoTool tool = SystemInfoTool(),
             ProgramVersion version = programVersion());

    ui::Window Me{QStringLiteral("Quaveron Info")};
    ui::Picture picIcon;
    ui::Label lblTitle{QStringLiteral("Quaveron")};
    ui::Label lblVersion{QStringLiteral("Ver. 1.0")};
    ui::Label lblDescription{QStringLiteral("USER SOFTWARE FOR SYSTEM OF GAS AND SMOKE ANALYSIS")};
    ui::Label lblDisclaimer;
    ui::Button cmdOK{QStringLiteral("&OK")};
    ui::Button cmdSysInfo{QStringLiteral("&System Info...")};

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    static inline const QString NoSystemInfoText =
        QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili.");

  private:
    Globals& g_;
    ui::Dialogs& dialogs_;
    SystemInfoTool tool_;
    ProgramVersion version_;
};
