#pragma once

// The concluded tests the windows hand to the archive, made from the same
// data as report.log and the sheets, and the way back: a kept test put into a
// fresh Globals so the sheets can be drawn again from it.

#include "shared/ConcludedTest.h"

struct Globals;

// The certificate as it stands at its verdict; `end` is the moment of the verdict.
ConcludedTest ConcludedGasCertificate(const Globals& g, const QDateTime& end);
// The diagnosis sheet as it is printed.
ConcludedTest ConcludedGasDiagnosis(const Globals& g);
// The smoke test at its verdict (or a direct acquisition when it ends).
ConcludedTest ConcludedSmokeTest(const Globals& g, const QDateTime& end);
// The single-acceleration chart as it is shown.
ConcludedTest ConcludedChart(const Globals& g, const QDateTime& end);

// Hands a concluded test to the archive, when the program keeps one.
void KeepConcludedTest(const Globals& g, const ConcludedTest& test);

// Puts a kept test back into `g` as the sheets read it: the certificate or
// diagnosis record, or the smoke data, settings and station texts.
void RestoreConcludedTest(const ConcludedTest& test, Globals& g);

// The date on a restored smoke sheet (the live sheet shows today's).
QString ConcludedTestDate(const ConcludedTest& test);
