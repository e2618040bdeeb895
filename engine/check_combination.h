// Checking a combination the designer already has (three pair texts as the
// report prints them) with the search's own evaluation, whatever the precision.
// The console's --check calls it after the parameters are parsed.
#pragma once

#include <cstddef>

#include "engine/combination_parts.h"

// Reads the Ra, Rb and Rf pair texts and evaluates them at params into record,
// filled as the search fills an accepted one (dnmCount counts the pairs with a
// DNM part). Returns false, with a message in error, when a pair cannot be read.
bool CheckCombination(const char* raText, const char* rbText, const char* rfText, const SearchParams& params,
                      MatchRecord& record, CombinationParts& parts, char* error, std::size_t errorSize);
