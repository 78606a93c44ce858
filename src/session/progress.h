#pragma once

namespace tolvane {

// A progress bar that a long operation moves while it works. After each step the windows
// repaint, so the bar visibly moves during a long operation.
class Progress {
  public:
    virtual ~Progress() = default;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
    virtual int value() const = 0;
    virtual int maximum() const = 0;
    void advance() { setValue(value() + 1); }
    // Raises the value by one unless it is already at the maximum.
    void advanceWithinMaximum() {
        if (value() < maximum())
            advance();
    }
};

}  // namespace tolvane
