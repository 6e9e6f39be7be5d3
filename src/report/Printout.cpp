#include "report/Printout.h"

#include "report/SheetSections.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"
#include "ui/Printing.h"

#include <limits>

namespace {

constexpr int ResultFrameText = 11;       // ANFUMOEsito
constexpr int CopiesText = 90;            // PrtKAPRODiagnCopie
constexpr int OilTemperatureText = 102;   // PrtKAPROCERTTolioMot
constexpr int EngineFrameText = 106;      // PrtKAPROCERTParMot
constexpr int DateText = 110;             // PrtKAPROCERTData
constexpr int StartText = 111;            // PrtKAPROCERTInMis
constexpr int EndText = 112;              // PrtKAPROCERTFinMis
constexpr int TechnicalManagerText = 113; // PrtKAPROCERTRespTec
constexpr int SignatureText = 114;        // PrtKAPROCERTFirma
constexpr int AgencyText = 115;           // PrtKAPROCERTNomeEnte
constexpr int PrintText = 142;            // StampaOpaStampa

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

void Printout::applySharedCaptions() {
    const LanguageState& lang = g_.lang;
    CopiesLabel.setCaption(QString::fromUtf8("N° ") + uiText(lang, CopiesText));
    Command2.setToolTip(uiText(lang, PrintText));
    if (!uiText(lang, PrintText).isEmpty())
        Command2.setCaption(uiText(lang, PrintText));
    EngineFrame.setCaption(uiText(lang, EngineFrameText));
    OilTemperature.Caption.setCaption(uiText(lang, OilTemperatureText));
    Date.Caption.setCaption(uiText(lang, DateText));
    AgencyName.Caption.setCaption(uiText(lang, AgencyText));
    Signature.Caption.setCaption(uiText(lang, SignatureText));
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

void TestPrintout::applyTestCaptions() {
    const LanguageState& lang = g_.lang;
    applySharedCaptions();
    ResultFrame.setCaption(uiText(lang, ResultFrameText));
    StartTime.Caption.setCaption(uiText(lang, StartText));
    EndTime.Caption.setCaption(uiText(lang, EndText));
    TechnicalManager.Caption.setCaption(uiText(lang, TechnicalManagerText));
}
