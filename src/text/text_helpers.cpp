#include "text/text_helpers.h"

#include <climits>

namespace corvane {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCaseAt(std::string_view text, std::size_t pos, std::string_view word) {
    if (pos + word.size() > text.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lowerAscii(text[pos + i]) != lowerAscii(word[i])) return false;
    }
    return true;
}

}  // namespace

std::string trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           toLowerAscii(text.substr(text.size() - suffix.size())) == suffix;
}

std::string toLowerAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = lowerAscii(c);
    return result;
}

void assignLowerAscii(std::string& out, std::string_view text) {
    out.assign(text);
    for (char& c : out) c = lowerAscii(c);
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        std::size_t found = text.find(from, pos);
        if (found == std::string_view::npos) break;
        result.append(text.substr(pos, found - pos));
        result.append(to);
        pos = found + from.size();
    }
    result.append(text.substr(pos));
    return result;
}

std::string replaceAllNoCase(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (equalsNoCaseAt(text, pos, from)) {
            result.append(to);
            pos += from.size();
        } else {
            result.push_back(text[pos++]);
        }
    }
    return result;
}

std::vector<std::string> splitAll(std::string_view text, std::string_view separator) {
    std::vector<std::string> fields;
    if (separator.empty()) {
        fields.emplace_back(text);
        return fields;
    }
    std::size_t pos = 0;
    while (true) {
        std::size_t found = text.find(separator, pos);
        if (found == std::string_view::npos) break;
        fields.emplace_back(text.substr(pos, found - pos));
        pos = found + separator.size();
    }
    fields.emplace_back(text.substr(pos));
    return fields;
}

std::vector<std::string> splitOutsideQuotes(std::string_view text, char separator) {
    std::vector<std::string> fields;
    std::string current;
    bool inQuotes = false;
    for (char c : text) {
        if (c == '"') inQuotes = !inQuotes;
        if (c == separator && !inQuotes) {
            fields.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    fields.push_back(current);
    return fields;
}

std::vector<std::string> splitOutsideBrackets(std::string_view text, char separator, char opener,
                                              char closer) {
    std::vector<std::string> fields;
    std::string current;
    long depth = 0;
    for (char c : text) {
        if (c == opener) ++depth;
        if (c == closer) --depth;
        if (c == separator && depth <= 0) {
            fields.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    fields.push_back(current);
    return fields;
}

int leadingInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (isBlank(text[pos]) || text[pos] == '\n' || text[pos] == '\r')) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
        ++pos;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool isDecimalNumber(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace corvane
