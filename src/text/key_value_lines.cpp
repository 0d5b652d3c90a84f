#include "text/key_value_lines.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "text/text_helpers.h"

namespace corvane {

void forEachTextLine(std::string_view text, const std::function<void(std::string_view)>& onLine) {
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        line.clear();
        for (const char c : text.substr(start, end - start)) {
            if (c != '\r') line.push_back(c);
        }
        onLine(line);
        start = end + 1;
    }
}

bool splitKeyValueLine(std::string_view line, std::string& key, std::string& value) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    key = trimBlanks(line.substr(0, equals));
    value = trimBlanks(line.substr(equals + 1));
    return true;
}

int leadingHexColor(std::string_view text) {
    int value = 0;
    for (std::size_t i = 0; i < text.size() && i < 6; ++i) {
        const char c = text[i];
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            break;
        }
        value = value * 16 + digit;
    }
    return value;
}

double leadingDouble(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    // from_chars takes a minus sign but no plus sign.
    if (pos + 1 < text.size() && text[pos] == '+' && text[pos + 1] != '-') ++pos;
    double value = 0.0;
    const char* first = text.data() + pos;
    const auto [end, error] =
        std::from_chars(first, text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end == first || !std::isfinite(value)) return 0.0;
    return value;
}

std::string hexColorText(int color) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
    return text;
}

std::string fixedSixText(double value) {
    // Wide enough for the largest double in fixed notation.
    char text[400];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    if (error != std::errc()) return "0.000000";
    return std::string(text, end);
}

}  // namespace corvane
