#pragma once

#include <vector>

#include "session/progress.h"

namespace tolvane::testing {

// A progress bar that keeps every value it is set to.
class FakeProgress : public Progress {
  public:
    void setMaximum(int maximum) override { maximum_ = maximum; }
    void setValue(int value) override {
        value_ = value;
        values.push_back(value);
    }
    int value() const override { return value_; }
    int maximum() const override { return maximum_; }
    std::vector<int> values;

  private:
    int value_ = 0;
    int maximum_ = 100;
};

}  // namespace tolvane::testing
