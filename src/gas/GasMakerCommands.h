#pragma once

// The command bytes of the analyser maker's binary frames, shared by the
// requests the window sends and the replies it reads.
namespace gas::maker {

enum Command {
    Identification = 0x31,
    CalibrationDate = 0x2E,
    AcquisitionList = 0x23,
    Status = 0x3F,
    StartMeasurement = 0x45,
    Measurement = 0x50,
    StopMeasurement = 0x24,
    FuelCode = 0x26,
};

} // namespace gas::maker
