#include "app/terminal_progress.h"

#include <algorithm>

#include "platform/interrupt.h"

namespace tolvane {

std::string WithThousands(std::uint64_t number) {
    std::string digits = std::to_string(number);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

void TerminalProgress::begin(std::string doing, std::optional<int> files, bool interruptible) {
    finish();
    doing_ = std::move(doing);
    files_ = files;
    interruptible_ = interruptible;
    value_ = 0;
    maximum_ = 0;
    lastShown_ = {};
    shownDone_ = -1;
}

void TerminalProgress::finish() {
    if (lineOpen_ && terminal_)
        errors_ << "\n" << std::flush;
    lineOpen_ = false;
    doing_.clear();
}

void TerminalProgress::setValue(int value) {
    if (interruptible_ && Interrupted())
        throw Interruption{};
    value_ = value;
    if (!doing_.empty())
        show();
}

// At most ten updates a second in a terminal and a line a second elsewhere, and always the last:
// a wide ship set's twenty thousand steps neither flood a log nor slow the install.
void TerminalProgress::show() {
    int total = files_.value_or(maximum_);
    if (total <= 0)
        return;
    int done = std::min(value_, total);
    auto now = std::chrono::steady_clock::now();
    auto pause = terminal_ ? std::chrono::milliseconds(100) : std::chrono::milliseconds(1000);
    if (done == shownDone_ || (done != total && now - lastShown_ < pause))
        return;
    lastShown_ = now;
    shownDone_ = done;
    std::string line = doing_ + " " + WithThousands(static_cast<std::uint64_t>(done)) + " of " +
                       WithThousands(static_cast<std::uint64_t>(total)) +
                       (total == 1 ? " file" : " files");
    errors_ << (terminal_ ? "\r" + line : line + "\n") << std::flush;
    lineOpen_ = true;
}

}  // namespace tolvane
