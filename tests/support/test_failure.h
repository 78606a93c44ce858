#pragma once

#include <string>

namespace tolvane::testing {

// How the kit reports what it finds wrong (a message box nobody expected, a file it could not
// write): in a test, the test fails and goes on; in a benchmark or a tool, the program stops.
// Each program is built with the one of failure_in_test.cpp and failure_stops.cpp that fits it.
void ReportTestFailure(const std::string& what);

}  // namespace tolvane::testing
