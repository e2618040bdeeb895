// Search parameters read from the text slots and the design quantities derived
// from them. Both live in static storage and are overwritten by every run.
#pragma once

#include <cstdint>

struct SearchParams {
    double viMin;
    double viMax;
    double voMin;
    double voMax;
    double vref;
    double precision;    // a fraction: the typed percentage divided by 100
    std::int32_t minDnm; // 0..3
};

struct ShifterDesign {
    double gain;
    double gainMinus1;
    double voff;
    double rfPerRa;
    double prefilterWindow;
};

extern SearchParams SearchParamsStore;
extern ShifterDesign ShifterDesignStore;

// Reads SLOT_VI_MIN..SLOT_PRECISION and SLOT_DNM_COUNT into SearchParamsStore. On the first unreadable field
// writes the format-error status (MSG_FORMAT_ERROR and the field's text) into SLOT_STATUS
// and returns false.
bool ParseSearchParams();

// Reads a percentage as the precision field is read ("1%", "0.5 %", "1"):
// the number divided by 100. Returns false on a format error.
bool ReadPrecisionText(const char* text, double* fraction);

// Computes ShifterDesignStore from SearchParamsStore. On a gain of 1 or less
// writes "Range error = %f" into SLOT_STATUS and returns false.
bool DeriveShifterDesign();
