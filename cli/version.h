// The version the window shows in its caption ("Varnock : ... R1.00"); the
// console's --version prints the same, and a test compares the two.
#pragma once

#include "state/version.h"

constexpr char VARNOCK_VERSION[] = "R" VARNOCK_VERSION_TEXT;
