// The raw-data fixtures of tests/resources as a test reads them: on Windows they are resources
// of the test program; on the host RegisterTestResources puts the same bytes (and the group icons)
// into the simulation's resource registry.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/resources/test_resources.h"

// The little-endian bytes of a word list of test_resources.h.
std::vector<uint8_t> ResourceBytes(std::initializer_list<uint16_t> words);

// Host: registers the fixtures (again) in the simulation. Windows: nothing to do.
void RegisterTestResources();
