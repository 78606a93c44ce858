#include <gtest/gtest.h>

#include "support/test_failure.h"

namespace tolvane::testing {

void ReportTestFailure(const std::string& what) {
    ADD_FAILURE() << what;
}

}  // namespace tolvane::testing
