// First stage of a run: the six number fields and the DNM count are read from
// their slots exactly as the user typed them, then the design quantities are
// derived. The order of every floating-point operation is fixed (the engine is
// built without contraction), so results are bit-identical on every platform.
#include "engine/search_params.h"

#include <cstdlib>

#include "engine/engine_limits.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

SearchParams SearchParamsStore;
ShifterDesign ShifterDesignStore;

namespace {

enum class FieldKind { Voltage, Precision };

// Reads a number at the start of text; sets *rest to the character after it,
// or to text itself when there is no number (the value is then 0).
double ReadNumber(const char* text, const char** rest) {
    char* end = nullptr;
    double value = std::strtod(text, &end);
    *rest = end;
    return value;
}

// Reads one field's text by its rules. Returns false on a format error.
bool ReadFieldText(const char* text, FieldKind kind, double* out) {
    const char* rest = nullptr;
    double value = ReadNumber(text, &rest);
    if (kind == FieldKind::Precision) value = value / 100;
    *out = value;
    while (*rest == ' ')
        ++rest;
    char next = *rest;
    if (kind == FieldKind::Voltage && next == 'm') {
        *out = value / 1000;
        return true;
    }
    bool unit = kind == FieldKind::Voltage ? (next == 'V' || next == 'v')
                                           : (next == '%' || next == 'V' || next == 'v');
    return next == '\0' || next == '\r' || unit;
}

// The DNM minimum never fails: an integer prefix clamped to 0..3. strtol
// saturates where atoi would overflow, so "99999999999" gives 3, not garbage.
std::int32_t ReadDnmCount() {
    long value = std::strtol(TextSlots[SLOT_DNM_COUNT], nullptr, 10);
    if (value < 0) return 0;
    if (value > 3) return 3;
    return static_cast<std::int32_t>(value);
}

void ReportFormatError(int slot) {
    SetStatusText(MessageText(MSG_FORMAT_ERROR), TextSlots[slot]);
}

} // namespace

bool ReadPrecisionText(const char* text, double* fraction) {
    return ReadFieldText(text, FieldKind::Precision, fraction);
}

bool ParseSearchParams() {
    struct Field {
        int slot;
        FieldKind kind;
        double* target;
    };
    SearchParams& p = SearchParamsStore;
    const Field fields[] = {
        {SLOT_VI_MIN, FieldKind::Voltage, &p.viMin}, {SLOT_VI_MAX, FieldKind::Voltage, &p.viMax},
        {SLOT_VO_MIN, FieldKind::Voltage, &p.voMin}, {SLOT_VO_MAX, FieldKind::Voltage, &p.voMax},
        {SLOT_VREF, FieldKind::Voltage, &p.vref},    {SLOT_PRECISION, FieldKind::Precision, &p.precision},
    };
    for (const Field& field : fields) {
        if (!ReadFieldText(TextSlots[field.slot], field.kind, field.target)) {
            ReportFormatError(field.slot);
            return false;
        }
    }
    p.minDnm = ReadDnmCount();
    return true;
}

bool DeriveShifterDesign() {
    const SearchParams& p = SearchParamsStore;
    ShifterDesign& d = ShifterDesignStore;
    d.gain = (p.voMax - p.voMin) / (p.viMax - p.viMin);
    // An ordered comparison: an infinite or NaN gain goes on to the search.
    if (d.gain <= 1) {
        char text[RANGE_ERROR_SIZE];
        FormatText(text, sizeof text, "Range error = %f", d.gain);
        SetStatusText(text);
        return false;
    }
    d.gainMinus1 = d.gain - 1;
    d.voff = (d.gain * p.viMin - p.voMin) / d.gainMinus1;
    d.rfPerRa = (d.gainMinus1 * d.voff) / p.vref;
    d.prefilterWindow = PREFILTER_WINDOW_FACTOR * p.precision;
    if (d.prefilterWindow > PREFILTER_WINDOW_MAX) d.prefilterWindow = PREFILTER_WINDOW_MAX;
    return true;
}
