#pragma once

#include <cstdint>
#include <string>

// All measurement settings of the program, in one record.
struct TMeasurementParameters {
    std::wstring DeviceName;
    std::int32_t Averaging = 0;
    std::int32_t IntegrationTime = 0;
    std::int32_t AveragingLimitDivisor = 0;
    std::int32_t ScansToSave = 0;
    bool DisplayCh1 = false;
    bool DisplayCh2 = false;
    bool SetupAccepted = false;
    bool WavelengthUnits = false;
    std::int32_t TriggerMode = 0;
};
