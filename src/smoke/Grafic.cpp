#include "smoke/Grafic.h"

#include "smoke/SmokeTexts.h"
#include "ui/Dialogs.h"
#include "ui/Printing.h"

#include <initializer_list>

Grafic::Grafic(Globals& g, ui::Dialogs& dialogs) : g_(g), dialogs_(dialogs) {}

void Grafic::Form_Load() {
    Me.setCaption(QStringLiteral("Graph"));
    MSChart1.setTitle(QStringLiteral("SINGLE  ACCELERATION"));
    MSChart1.setTimeTitle(QStringLiteral("Time, msec"));
    MSChart1.setOpacityTitle(QStringLiteral("Opacity x 10, k"));
    MSChart1.setSpeedTitle(QStringLiteral("RPM / 100, rpm"));
    Label4.setCaption(QStringLiteral("RPM"));
    Label5.setForeColor(SpeedMinColour);
    Label6.setForeColor(SpeedMaxColour);
    const QString& print = g_.lang.UiText[smoke_text::StampaOpaStampa];
    Command2.setCaption(print);
    Command2.setToolTip(print);

    // The limits in force now, whatever they were when the data was recorded.
    SmokeState::ChartTable& table = g_.smoke.ChartData;
    const float speedMin = g_.settings.LimitRpmMin / 100.0f;
    const double speedMax = g_.settings.LimitRpmMax / 100.0;
    for (auto& row : table) {
        row[SpeedMin] = speedMin;
        row[SpeedMax] = speedMax;
    }
    MSChart1.setData(table);
}

void Grafic::Command1_Click() {
    Me.requestClose();
}

void Grafic::Command2_Click() {
    const std::initializer_list<ui::Control*> onScreenOnly{&Command2, &Command1, &Label39, &Label3, &Label4};
    for (ui::Control* control : onScreenOnly)
        control->setVisible(false);
    if (printer_)
        ui::printOrOfferPdf(*printer_, dialogs_, 1, g_.settings.LanguageCode);
    for (ui::Control* control : onScreenOnly)
        control->setVisible(true);
}
