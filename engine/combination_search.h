// The combination search: every Ra, Rf, Rb built from pairs of stock parts in
// the fixed enumeration order, pre-filtered, evaluated and stored when within
// the precision, up to MATCH_LIMIT records. RunSearch calls it once per run.
#pragma once

#include <cstdint>

#include "engine/engine_limits.h"
#include "engine/parts_list.h"
#include "engine/search_params.h"

// Bit 2: Ra in series, bit 1: Rf in series, bit 0: Rb in series.
using TopologyMask = std::int32_t;
constexpr TopologyMask TOPOLOGY_RA_SERIES = 4;
constexpr TopologyMask TOPOLOGY_RF_SERIES = 2;
constexpr TopologyMask TOPOLOGY_RB_SERIES = 1;

struct MatchRecord {
    char raName1[PART_NAME_SIZE];
    char raName2[PART_NAME_SIZE];
    char rfName1[PART_NAME_SIZE];
    char rfName2[PART_NAME_SIZE];
    char rbName1[PART_NAME_SIZE];
    char rbName2[PART_NAME_SIZE];
    TopologyMask topology;
    std::int32_t dnmCount;
    double reqOhms;
    double voAtViMin;
    double errAtViMinPct;
    double voAtViMax;
    double errAtViMaxPct;
    double worstErr;
};

extern MatchRecord MatchTable[MATCH_LIMIT];

// Stores exactly the records of the literal enumeration (same order, same
// count, same doubles) but visits only the pairs that pass their pre-filters,
// found in pair tables sorted by resistance. Sets Settings[12] to 0 first and
// leaves the number of stored records there; returns it too.
int SearchCombinations(const PartsList& parts, const SearchParams& params, const ShifterDesign& design,
                       bool includeSerial);
