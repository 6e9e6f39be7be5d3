#include "report/Printout.h"

#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"
#include "ui/Printing.h"

#include <limits>

namespace {

constexpr int CopiesText = 90; // PrtKAPRODiagnCopie
constexpr int PrintText = 142; // StampaOpaStampa

// The language table has no text for a refused copies count.
QString badCopiesMessage(const QString& copies, int languageCode) {
    switch (languageCode) {
    case 2: return QStringLiteral("Number of copies not valid: \"%1\"").arg(copies);
    case 3: return QString::fromUtf8("Número de copias no válido: \"%1\"").arg(copies);
    default: return QStringLiteral("Numero di copie non valido: \"%1\"").arg(copies);
    }
}

} // namespace

Printout::Printout(Globals& g, ui::Dialogs& dialogs, const QString& windowCaption)
    : Me(windowCaption), g_(g), dialogs_(dialogs) {}

void Printout::applyPrintCaptions() {
    const auto& text = g_.lang.UiText;
    CopiesLabel.setCaption(QString::fromUtf8("N° ") + text[CopiesText]);
    Command2.setToolTip(text[PrintText]);
    if (!text[PrintText].isEmpty())
        Command2.setCaption(text[PrintText]);
}

void Printout::Command1_Click() {
    Me.requestClose();
}

void Printout::showPrintControls(bool shown) {
    Command1.setVisible(shown);
    Command2.setVisible(shown);
    CopiesBox.setVisible(shown);
    CopiesLabel.setVisible(shown);
}

void Printout::Command2_Click() {
    const QString copies = copiesText();
    const std::optional<long long> count = settings::parseInteger(copies, std::numeric_limits<int>::min(), MaxCopies);
    if (!count) {
        dialogs_.message(badCopiesMessage(copies, g_.settings.LanguageCode), Me.caption(), ui::Icon::Exclamation);
        return;
    }
    if (*count <= 0 || !printer_)
        return;
    showPrintControls(false);
    ui::printOrOfferPdf(*printer_, dialogs_, static_cast<int>(*count), g_.settings.LanguageCode);
    showPrintControls(true);
}
