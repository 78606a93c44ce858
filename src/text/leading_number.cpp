#include "text/leading_number.h"

#include <charconv>
#include <cmath>

namespace tolvane {

std::string LeadingNumberText(std::string_view text) {
    std::string number;
    bool digits = false, point = false, exponent = false;
    for (char c : text) {
        if (c == ' ' || c == '\t')
            continue;
        bool sign = c == '+' || c == '-';
        bool startOfPart = number.empty() || number.back() == 'e';
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (sign && startOfPart) {
        } else if (c == '.' && !point && !exponent) {
            point = true;
        } else if ((c == 'e' || c == 'E') && digits && !exponent) {
            exponent = true;
            c = 'e';
        } else {
            break;
        }
        number += c;
    }
    double value = 0;
    if (digits) {
        while (!number.empty() &&
               (number.back() == 'e' || number.back() == '+' || number.back() == '-')) {
            number.pop_back();
        }
        if (!number.empty() && number.front() == '+')
            number.erase(0, 1);
        std::from_chars(number.data(), number.data() + number.size(), value);
    }
    if (value == 0 || !std::isfinite(value))
        return "0";
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : "0";
}

}  // namespace tolvane
