#include "verilog/verilog_parse_state.h"

#include "database/text_helpers.h"

namespace corvane {

int lineMarkerNumber(std::string_view token) {
    if (token.starts_with("%%")) token.remove_prefix(2);
    // A marker's own digits, too few to overflow, are read directly; any
    // other text goes through leadingInt with its blanks, sign and limits.
    constexpr std::size_t kSafeDigits = 9;
    const auto digitAt = [token](std::size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(token[i])) - unsigned{'0'};
    };
    const std::size_t limit = token.size() < kSafeDigits ? token.size() : kSafeDigits;
    std::size_t digits = 0;
    int value = 0;
    while (digits < limit) {
        const unsigned digit = digitAt(digits);
        if (digit > 9) break;
        value = value * 10 + static_cast<int>(digit);
        ++digits;
    }
    const bool ended = digits == token.size() || digitAt(digits) > 9;
    if (digits > 0 && ended) return value;
    return leadingInt(token);
}

std::string removeLineMarkers(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == '%' && pos + 1 < text.size() && text[pos + 1] == '%') {
            pos += 2;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
            continue;
        }
        result.push_back(text[pos++]);
    }
    return result;
}

}  // namespace corvane
