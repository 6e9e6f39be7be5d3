#pragma once

#include "report/Printout.h"
#include "report/SheetSections.h"

// The gas certificate: the idle test and, for catalysed vehicles, the
// accelerated-idle test, with limits and verdict, as the gas window left them
// in g.report.GasCertificate.
class PrtKAPROCERT : public TestPrintout {
  public:
    PrtKAPROCERT(Globals& g, ui::Dialogs& dialogs);

    ui::Label Title{QStringLiteral("REFERTO ANALISI GAS")};
    InstrumentSection Analyser{QStringLiteral("DATI ANALIZZATORE"), QStringLiteral("scadenza controllo analizzatore")};
    RevCounterSection RevCounter;
    VehicleSection Vehicle{VehicleSection::Sheet::Gas};
    AmbientSection Ambient;

    SheetField IdleSpeed{QStringLiteral("Giri motore al minimo (giri/min)")};
    SheetField AcceleratedIdleSpeed{QStringLiteral("Giri motore minimo accelerato(giri/min)")};

    EmissionReadings Idle{QStringLiteral("VALORI EMISSIONE")};
    SheetField IdleCOcorrLimit{QStringLiteral("Valore limite COcorr(%vol.)")};
    EmissionReadings AcceleratedIdle{QStringLiteral("PROVA SUPPLEMENTARE PER VEICOLI CATALIZZATI E CON SONDA LAMBDA")};
    SheetField AcceleratedIdleCOcorrLimit{QStringLiteral("Valore limite COcorr(%vol.)")};
    SheetField LambdaLimits{QStringLiteral("Valore limite LAMBDA")};

    // Captions first, then the certificate's values.
    void Form_Load();

  private:
    void applyCaptions();
    void fill();
};
