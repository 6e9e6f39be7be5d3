#include "report/StampaOpaBView.h"

#include "ui/BoundWidget.h"
#include "ui/FormLaunch.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

StampaOpaBView::StampaOpaBView(StampaOpaB& form, QWidget* parent) : PrintoutView(form, parent) {
    addTitle(form.Title);
    addRow(instrumentSection(form.Opacimeter, "Opacimeter"), {revCounterSection(form.RevCounter)});

    QGroupBox* engine = newSection(form.EngineFrame, "EngineFrame");
    addFields(engine,
              {{form.OilTemperature, "OilTemperature"}, {form.IdleSpeed, "IdleSpeed"}, {form.MaxSpeed, "MaxSpeed"}}, 1);
    addRow(vehicleSection(form.Vehicle, false), {ambientSection(form.Ambient), engine});

    QGroupBox* limits = newSection(form.LimitsFrame, "LimitsFrame");
    addFields(limits,
              {{form.RpmMin, "RpmMin"},
               {form.RpmMax, "RpmMax"},
               {form.OpacityThreshold, "OpacityThreshold"},
               {form.OpacityLimitK, "OpacityLimitK"}},
              2);
    addRow(limits);

    // Accelerations across, peak k and peak speed below each number.
    QGroupBox* values = newSection(form.ValuesFrame, "ValuesFrame");
    auto* grid = static_cast<QGridLayout*>(values->layout());
    grid->addWidget(ui::boundWidget<QLabel>(form.PeakCaption, QStringLiteral("PeakCaption"), values), 1, 0);
    grid->addWidget(ui::boundWidget<QLabel>(form.SpeedCaption, QStringLiteral("SpeedCaption"), values), 2, 0);
    for (int row = 0; row < StampaOpaB::RowCount; ++row) {
        auto* number = new QLabel(QString::number(row + 1), values);
        number->setAlignment(Qt::AlignCenter);
        grid->addWidget(number, 0, row + 1);
        grid->addWidget(newValue(form.Peak[row], QStringLiteral("Peak%1").arg(row), values), 1, row + 1);
        grid->addWidget(newValue(form.Speed[row], QStringLiteral("Speed%1").arg(row), values), 2, row + 1);
        grid->setColumnStretch(row + 1, 1);
    }
    addRow(values);

    QGroupBox* mean = newSection(form.MeanFrame, "MeanFrame");
    addFields(mean, {{form.AcceptedSet, "AcceptedSet"}, {form.MeanK, "MeanK"}, {form.MeanOpacity, "MeanOpacity"}}, 3);
    auto* meanGrid = static_cast<QGridLayout*>(mean->layout());
    meanGrid->addWidget(ui::boundWidget<QLabel>(form.Unit, QStringLiteral("Unit"), mean), 0, 6);
    addRow(mean);

    addOutcome(form);
    finish();
}

void StampaOpaBView::showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<StampaOpaB, StampaOpaBView>(parent, g, dialogs);
}
