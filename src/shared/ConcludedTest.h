#pragma once

// A concluded test as the measuring windows hand it over for keeping: plain
// data, with every value needed to print its sheet again. The fields come in
// the order of report.log (its keys first, spelt the same), then the values
// report.log does not carry.

#include <QDateTime>
#include <QList>
#include <QString>

#include <utility>

struct ConcludedTest {
    enum class Kind { GasCertificate, GasDiagnosis, Smoke, Chart };
    enum class Outcome { Passed, NotPassed, Interrupted, NoVerdict };
    using Field = std::pair<QString, QString>; // key without "=", value

    Kind kind = Kind::GasCertificate;
    Outcome outcome = Outcome::NoVerdict;
    QDateTime start;
    QDateTime end;
    QString plate;
    QString instrument; // make, model and serial of the measuring instrument
    QString verdict;    // the verdict text as shown
    // Free text kept with the record, e.g. why an instrument past its date was allowed.
    QString note;
    QList<Field> fields;

    QString value(const QString& key) const {
        for (const Field& field : fields)
            if (field.first == key)
                return field.second;
        return QString();
    }
};

// Where the windows hand a concluded test. Storing never blocks the window
// for long and never fails it: a fault is the archive's to report.
class TestArchiveSink {
  public:
    virtual ~TestArchiveSink() = default;
    virtual void store(const ConcludedTest& test) = 0;
};
