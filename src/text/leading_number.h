#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// The leading number of `text` as its shortest decimal text: blanks are skipped, reading stops
// at the first character that cannot continue the number, and no number at all gives "0".
std::string LeadingNumberText(std::string_view text);

}  // namespace tolvane
