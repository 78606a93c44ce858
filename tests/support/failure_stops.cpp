#include <cstdio>
#include <cstdlib>

#include "support/test_failure.h"

namespace tolvane::testing {

// A measurement or a picture made past a fault would hide it.
void ReportTestFailure(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    std::exit(1);
}

}  // namespace tolvane::testing
