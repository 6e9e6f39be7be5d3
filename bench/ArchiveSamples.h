#pragma once

#include "shared/ConcludedTest.h"

// Concluded tests as a busy station makes them, for the archive's tests and
// benchmark: the kinds, outcomes and plates vary with `number`, and the fields
// are as many and as long as a real gas certificate's.
ConcludedTest SampleConcludedTest(int number);

// The plate SampleConcludedTest gives test `number`: one of `PlateCount` vehicles.
constexpr int SamplePlateCount = 20000;
QString SamplePlate(int number);
