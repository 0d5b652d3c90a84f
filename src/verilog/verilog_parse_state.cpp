#include "verilog/verilog_parse_state.h"

#include "database/text_helpers.h"

namespace corvane {

int lineMarkerNumber(std::string_view token) {
    if (token.starts_with("%%")) token.remove_prefix(2);
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
