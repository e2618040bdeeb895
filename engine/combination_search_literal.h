// The reference form of the combination search: the enumeration written out
// loop by loop. Built into a library of its own that only tests and benchmarks
// link, so the program carries just the fast search.
#pragma once

#include "engine/combination_search.h"

// Same contract as SearchCombinations: sets Settings[SETTING_MATCH_COUNT] to 0 first, leaves the
// number of stored records there and returns it.
int SearchCombinationsLiteral(const PartsList& parts, const SearchParams& params, const ShifterDesign& design,
                              bool includeSerial);
