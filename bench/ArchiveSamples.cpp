#include "ArchiveSamples.h"

namespace {

const char* const CertificateKeys[] = {
    "Title",     "Mark",        "Type",   "Homologation", "Serial", "Expiring", "MarkRPM",   "HomologationRPM",
    "SerialRPM", "ExpiringRPM", "Manuf",  "Model",        "Plate",  "Loom",     "Fuel",      "Regis",
    "AmbTemp",   "AmbPress",    "AmbHum", "OilTemp",      "CO",     "CO2",      "COc",       "COcMax",
    "HC",        "O2",          "Lambda", "ParRPMmin",    "RPM",    "CO_2",     "CO2_2",     "COc_2",
    "COcMax_2",  "HC_2",        "O2_2",   "Lambda_2",     "Result", "Date",     "StartMeas", "EndMeas",
    "Tech",      "Agency"};

} // namespace

QString SamplePlate(int number) {
    const int vehicle = number % SamplePlateCount;
    return QStringLiteral("%1%2%3")
        .arg(QChar(u'A' + vehicle % 26))
        .arg(QChar(u'A' + (vehicle / 26) % 26))
        .arg(vehicle, 5, 10, QLatin1Char('0'));
}

ConcludedTest SampleConcludedTest(int number) {
    static const ConcludedTest::Kind kinds[] = {ConcludedTest::Kind::GasCertificate, ConcludedTest::Kind::Smoke,
                                                ConcludedTest::Kind::GasCertificate, ConcludedTest::Kind::Chart};
    static const ConcludedTest::Outcome outcomes[] = {ConcludedTest::Outcome::Passed, ConcludedTest::Outcome::Passed,
                                                      ConcludedTest::Outcome::NotPassed,
                                                      ConcludedTest::Outcome::Interrupted};
    ConcludedTest test;
    test.kind = kinds[number % 4];
    test.outcome = outcomes[(number / 4) % 4];
    // About a hundred tests a day, ten years back from 2026.
    const QDateTime day(QDate(2016, 1, 1).addDays(number / 100), QTime(8, 0));
    test.start = day.addSecs((number % 100) * 300);
    test.end = test.start.addSecs(240);
    test.plate = SamplePlate(number);
    test.instrument = QStringLiteral("Quaveron QV-GAS 200 GAS%1").arg(number % 7, 5, 10, QLatin1Char('0'));
    test.verdict =
        test.outcome == ConcludedTest::Outcome::Passed ? QStringLiteral("SUPERATO") : QStringLiteral("NON SUPERATO");
    int index = 0;
    for (const char* key : CertificateKeys) {
        QString value = QStringLiteral("%1.%2").arg(number % 1000).arg(index++);
        if (QLatin1String(key) == QLatin1String("Plate"))
            value = test.plate;
        test.fields.append({QLatin1String(key), value});
    }
    for (int row = 1; row <= 20; ++row)
        test.fields.append({QStringLiteral("Extra%1").arg(row), QStringLiteral("%1").arg(number * row % 9973)});
    return test;
}
