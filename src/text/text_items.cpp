#include "text/text_items.h"

namespace tolvane {

std::optional<std::string> FirstTextItem(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    // An item never runs past its line, not even inside a quote left open.
    text = text.substr(0, text.find_first_of("\r\n"));
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::string();
    text.remove_prefix(start);
    if (text.front() == '"') {
        text.remove_prefix(1);
        return std::string(text.substr(0, text.find('"')));
    }
    return std::string(text.substr(0, text.find(',')));
}

}  // namespace tolvane
