#include "report/GasSheetViews.h"

#include "ui/FormLaunch.h"

#include <QGroupBox>

PrtKAPROCERTView::PrtKAPROCERTView(PrtKAPROCERT& form, QWidget* parent) : PrintoutView(form, parent) {
    addTitle(form.Title);
    addRow(instrumentSection(form.Analyser, "Analyser"), {revCounterSection(form.RevCounter)});

    QGroupBox* engine = newSection(form.EngineFrame, "EngineFrame");
    addFields(engine,
              {{form.OilTemperature, "OilTemperature"},
               {form.IdleSpeed, "IdleSpeed"},
               {form.AcceleratedIdleSpeed, "AcceleratedIdleSpeed"}},
              1);
    addRow(vehicleSection(form.Vehicle, true), {ambientSection(form.Ambient), engine});

    addRow(readingsSection(form.Idle, "Idle", {{form.IdleCOcorrLimit, "IdleCOcorrLimit"}}));
    addRow(readingsSection(
        form.AcceleratedIdle, "AcceleratedIdle",
        {{form.AcceleratedIdleCOcorrLimit, "AcceleratedIdleCOcorrLimit"}, {form.LambdaLimits, "LambdaLimits"}}));

    addOutcome(form);
    finish();
}

PrtKAPRODIAGNView::PrtKAPRODIAGNView(PrtKAPRODIAGN& form, QWidget* parent) : PrintoutView(form, parent) {
    addTitle(form.Title);
    addRow(instrumentSection(form.Analyser, "Analyser"), {revCounterSection(form.RevCounter)});

    QGroupBox* engine = newSection(form.EngineFrame, "EngineFrame");
    addFields(engine, {{form.OilTemperature, "OilTemperature"}, {form.EngineSpeed, "EngineSpeed"}}, 1);
    addRow(vehicleSection(form.Vehicle, true), {engine});

    addRow(readingsSection(form.Emissions, "Emissions", {{form.NOx, "NOx"}}));

    QGroupBox* signature = newSection(form.SignatureFrame, "SignatureFrame");
    addFields(signature,
              {{form.Date, "Date"},
               {form.Time, "Time"},
               {form.OperatorName, "OperatorName"},
               {form.AgencyName, "AgencyName"}},
              2);
    addSignature(signature, form.Signature);
    addRow(signature);
    finish();
}

void showGasCertificateSheet(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<PrtKAPROCERT, PrtKAPROCERTView>(parent, g, dialogs);
}

void showGasDiagnosisSheet(Globals& g, ui::Dialogs& dialogs, QWidget* parent) {
    ui::showFormModal<PrtKAPRODIAGN, PrtKAPRODIAGNView>(parent, g, dialogs);
}
