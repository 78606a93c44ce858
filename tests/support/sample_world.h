#pragma once

// The sample world (tools/sample_world), under the tests' own namespace.
#include "sample_world/sample_folders.h"
#include "sample_world/sample_packages.h"

namespace tolvane::testing {
using namespace tolvane::sample;
}  // namespace tolvane::testing
