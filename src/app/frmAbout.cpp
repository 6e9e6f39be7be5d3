#include "app/frmAbout.h"

#include "shared/Globals.h"
#include "ui/Dialogs.h"

frmAbout::frmAbout(Globals& g, ui::Dialogs& dialogs, SystemInfoTool tool, ProgramVersion version)
    : g_(g), dialogs_(dialogs), tool_(std::move(tool)), version_(version) {
    picIcon.setPicture(QStringLiteral("Immagini/Logo.png"));
}

void frmAbout::Form_Load() {
    lblVersion.setCaption(versionCaption(version_));
    lblDescription.setCaption(g_.lang.UiText[83]);
}

void frmAbout::cmdOK_Click() {
    Me.requestClose();
}

void frmAbout::cmdSysInfo_Click() {
    if (!tool_.launch())
        dialogs_.message(NoSystemInfoText, QString(), ui::Icon::None, ui::Buttons::Ok);
}
