#include "statemachine/same_state.h"

#include "statemachine/literal_digits.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

// Digits of `base` from the start of `digits`; wraps past 64 bits like the
// unsigned conversion it stands for. Nothing when there is no digit at all.
std::optional<std::uint64_t> readDigits(std::string_view digits, int base) {
    std::uint64_t value = 0;
    std::size_t count = 0;
    for (char c : digits) {
        if (digitValue(c) >= base) break;
        value =
            value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digitValue(c));
        ++count;
    }
    if (count == 0) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::uint64_t> stateNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const std::size_t quote = text.find('\'');
    if (quote == std::string_view::npos) {
        if (!isDecimalNumber(text)) return std::nullopt;
        return readDigits(text, 10);
    }
    if (text.size() < 4 || quote + 1 >= text.size()) return std::nullopt;
    return readDigits(text.substr(quote + 2), literalBase(text[quote + 1], 8));
}

bool isSameState(std::string_view a, std::string_view b) {
    if (toLowerAscii(a) == toLowerAscii(b)) return true;
    const std::optional<std::uint64_t> first = stateNumber(a);
    const std::optional<std::uint64_t> second = stateNumber(b);
    return first && second && *first == *second;
}

}  // namespace corvane
