// Finding the parts of a combination again: by name in the parts list for the
// search's records, by the list parser's rules for typed pairs. Names are the
// only link a MatchRecord keeps to its parts, and the same name always reads as
// the same value except for the DNM sentinel, which is looked for at the end.
#include "engine/combination_parts.h"

#include <cstring>

#include "state/bounded_text.h"

namespace {

bool FindPart(const PartsList& parts, const char* name, bool fromEnd, double* value, double* conductance) {
    for (int k = 0; k < parts.count; ++k) {
        const PartEntry& e = parts.entries[fromEnd ? parts.count - 1 - k : k];
        if (std::strcmp(e.name, name) != 0) continue;
        *value = e.value;
        *conductance = e.conductance;
        return true;
    }
    return false;
}

bool ResolvePair(const PartsList& parts, bool series, const char* name1, const char* name2, PairParts& pair) {
    pair.series = series;
    return FindPart(parts, name1, false, &pair.value[0], &pair.conductance[0]) &&
           FindPart(parts, name2, !series, &pair.value[1], &pair.conductance[1]);
}

// Where a typed pair splits: the first "//", else the first "+" that does not
// follow an exponent's "e" ("1e+3+2k" is 1e+3 in series with 2k).
const char* FindJoint(const char* text, bool* series) {
    const char* slashes = std::strstr(text, "//");
    *series = slashes == nullptr;
    if (slashes != nullptr) return slashes;
    for (const char* p = text; *p != '\0'; ++p)
        if (*p == '+' && p > text && p[-1] != 'e' && p[-1] != 'E') return p;
    return nullptr;
}

// One typed part: "DNM" is open, anything else reads as a list line does. The
// value is read from the typed text, which a long name does not cut.
bool ReadPart(const char* name, const char* typed, double* value, double* conductance) {
    if (std::strcmp(name, "DNM") == 0) {
        *value = DNM_VALUE;
        *conductance = 0;
        return true;
    }
    *value = ReadPartValue(typed);
    if (!(*value >= 0)) return false;
    *conductance = *value == 0 ? DNM_VALUE : 1 / *value;
    return true;
}

} // namespace

bool ResolveRecordParts(const MatchRecord& r, const PartsList& parts, CombinationParts& out) {
    return ResolvePair(parts, (r.topology & TOPOLOGY_RA_SERIES) != 0, r.raName1, r.raName2, out.ra) &&
           ResolvePair(parts, (r.topology & TOPOLOGY_RB_SERIES) != 0, r.rbName1, r.rbName2, out.rb) &&
           ResolvePair(parts, (r.topology & TOPOLOGY_RF_SERIES) != 0, r.rfName1, r.rfName2, out.rf);
}

bool ReadPairText(const char* text, PairParts& pair, char* name1, char* name2, char* error,
                  std::size_t errorSize) {
    const char* joint = FindJoint(text, &pair.series);
    if (joint == nullptr) {
        FormatText(error, errorSize, "'%s' is no pair: write it as A//B or A+B (B may be DNM)", text);
        return false;
    }
    std::size_t jointLength = pair.series ? 1 : 2;
    CopyTextPrefix(name1, PART_NAME_SIZE, text, static_cast<std::size_t>(joint - text));
    CopyText(name2, PART_NAME_SIZE, joint + jointLength);
    if (joint == text || joint[jointLength] == '\0') {
        FormatText(error, errorSize, "'%s': a part is missing on one side", text);
        return false;
    }
    if (!ReadPart(name1, text, &pair.value[0], &pair.conductance[0]) ||
        !ReadPart(name2, joint + jointLength, &pair.value[1], &pair.conductance[1])) {
        FormatText(error, errorSize, "'%s': a part value is negative or not a number", text);
        return false;
    }
    bool open1 = pair.conductance[0] == 0 && pair.value[0] == DNM_VALUE;
    bool open2 = pair.conductance[1] == 0 && pair.value[1] == DNM_VALUE;
    if ((pair.series && (open1 || open2)) || (open1 && open2)) {
        FormatText(error, errorSize,
                   "'%s' is an open circuit: DNM stands only beside a fitted part, in parallel", text);
        return false;
    }
    return true;
}
