#include "vhdl/vhdl_bounds.h"

#include <algorithm>
#include <climits>

#include "text/text_helpers.h"

namespace corvane {

GenericTable::GenericTable(const std::map<std::string, std::string>& generics) {
    for (const auto& [name, value] : generics) {
        if (name.empty() || name.size() > kMaxNameLength) continue;
        entries_.push_back({toLowerAscii(name), value});
    }
    // Longest names first; the map order is kept within one length.
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.name.size() > b.name.size(); });
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].firstOfName = positions_.try_emplace(entries_[i].name, i).second;
        startsName_[static_cast<unsigned char>(entries_[i].name[0])] = true;
        if (lengths_.empty() || lengths_.back() != entries_[i].name.size()) {
            lengths_.push_back(entries_[i].name.size());
        }
    }
    if (!lengths_.empty()) shortestName_ = lengths_.back();
}

std::size_t GenericTable::firstPresent(std::string_view text, std::size_t from) const {
    std::size_t best = entries_.size();
    // No name fits after the last position where the shortest one does.
    if (lengths_.empty() || text.size() < lengths_.back()) return best;
    const std::size_t lastStart = text.size() - lengths_.back();
    if (best <= kSearchedOneByOne) {
        // At each position where a name may begin, the names are compared
        // in place. The earliest entry (in table order) whose name occurs is
        // the one the substring lookup below finds; an entry repeating an
        // earlier name stands for that earlier one, so it is passed over.
        const char* const data = text.data();
        const std::size_t size = text.size();
        for (std::size_t pos = 0; pos <= lastStart; ++pos) {
            const char lead = data[pos];
            if (!startsName_[static_cast<unsigned char>(lead)]) continue;
            for (std::size_t i = from; i < best; ++i) {
                const Entry& entry = entries_[i];
                const std::size_t length = entry.name.size();
                const char* const name = entry.name.data();
                if (name[0] != lead || length > size - pos || !entry.firstOfName) continue;
                std::size_t k = 1;
                while (k < length && data[pos + k] == name[k]) ++k;
                if (k == length) {
                    best = i;
                    break;
                }
            }
            if (best == from) break;
        }
        return best;
    }
    for (std::size_t pos = 0; pos <= lastStart; ++pos) {
        if (!startsName_[static_cast<unsigned char>(text[pos])]) continue;
        for (std::size_t length : lengths_) {
            if (pos + length > text.size()) continue;
            const auto found = positions_.find(text.substr(pos, length));
            if (found != positions_.end() && found->second >= from && found->second < best) {
                best = found->second;
            }
        }
    }
    return best;
}

// Entries whose names do not occur leave the text unchanged, so only the
// entries present in the current text are applied, each in table order.
std::string GenericTable::substitute(std::string_view text) const {
    std::string current(text);
    if (entries_.empty()) return current;
    std::size_t from = 0;
    while (from < entries_.size()) {
        const std::size_t position = firstPresent(toLowerAscii(current), from);
        if (position >= entries_.size()) break;
        const Entry& entry = entries_[position];
        std::string replaced = replaceAllNoCase(current, entry.name, entry.value);
        if (replaced.size() > text.size() + kMaxGrowth) break;
        current = std::move(replaced);
        from = position + 1;
    }
    return current;
}

namespace {

int clampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// An integer expression of decimal literals, parentheses, unary signs and
// the operators ** * / mod rem + - (blanks already removed, lower-cased
// words), evaluated with 64-bit values held within +-2^62 so that no step
// overflows. Anything else (a name, a function call) fails the evaluation.
class IntegerExpression {
public:
    explicit IntegerExpression(std::string_view text) : text_(text) {}

    bool evaluate(long long& value) { return sum(value, 0) && pos_ == text_.size(); }

private:
    static constexpr long long kLimit = 1LL << 62;
    static constexpr int kMaxDepth = 64;

    static long long held(long long value) { return std::clamp(value, -kLimit, kLimit); }

    bool accept(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    bool sum(long long& value, int depth) {
        if (!term(value, depth)) return false;
        while (pos_ < text_.size()) {
            long long right = 0;
            if (accept("+")) {
                if (!term(right, depth)) return false;
                value = held(value + right);
            } else if (accept("-")) {
                if (!term(right, depth)) return false;
                value = held(value - right);
            } else {
                break;
            }
        }
        return true;
    }

    bool term(long long& value, int depth) {
        if (!power(value, depth)) return false;
        while (pos_ < text_.size()) {
            long long right = 0;
            if (accept("**")) return false;  // "a**b**c" is not VHDL
            if (accept("*")) {
                if (!power(right, depth)) return false;
                value = held(static_cast<long long>(
                    std::clamp<double>(static_cast<double>(value) * static_cast<double>(right),
                                       -static_cast<double>(kLimit), static_cast<double>(kLimit))));
            } else if (accept("/") || accept("rem")) {
                const bool quotient = text_[pos_ - 1] == '/';
                if (!power(right, depth) || right == 0) return false;
                value = quotient ? value / right : value % right;
            } else if (accept("mod")) {
                if (!power(right, depth) || right == 0) return false;
                const long long rest = value % right;
                value = (rest != 0 && ((rest < 0) != (right < 0))) ? rest + right : rest;
            } else {
                break;
            }
        }
        return true;
    }

    bool power(long long& value, int depth) {
        if (!factor(value, depth)) return false;
        if (!accept("**")) return true;
        long long exponent = 0;
        if (!factor(exponent, depth) || exponent < 0) return false;
        long long result = 1;
        for (long long i = 0; i < exponent && result != kLimit && result != -kLimit; ++i) {
            result = held(static_cast<long long>(
                std::clamp<double>(static_cast<double>(result) * static_cast<double>(value),
                                   -static_cast<double>(kLimit), static_cast<double>(kLimit))));
            if (value == 0 || value == 1) break;
        }
        value = exponent == 0 ? 1 : result;
        return true;
    }

    bool factor(long long& value, int depth) {
        if (depth > kMaxDepth || pos_ >= text_.size()) return false;
        if (accept("-")) {
            if (!factor(value, depth + 1)) return false;
            value = -value;
            return true;
        }
        if (accept("+")) return factor(value, depth + 1);
        if (accept("(")) return sum(value, depth + 1) && accept(")");
        if (text_[pos_] < '0' || text_[pos_] > '9') return false;
        value = readNumber(text_, pos_);
        return true;
    }

public:
    // The decimal literal (digits and "_") from `pos` on; `pos` is left
    // after it.
    static long long readNumber(std::string_view text, std::size_t& pos) {
        long long value = 0;
        while (pos < text.size() && ((text[pos] >= '0' && text[pos] <= '9') || text[pos] == '_')) {
            if (text[pos] != '_') value = held(value * 10 + (text[pos] - '0'));
            ++pos;
        }
        return value;
    }

    // "a", "a+b" or "a-b" of decimal literals, the form most bounds take
    // once generics are substituted: its value as evaluate() computes it,
    // without the general walk. False for any other text.
    static bool simpleSum(std::string_view text, long long& value) {
        const auto digitAt = [&text](std::size_t at) {
            return at < text.size() && text[at] >= '0' && text[at] <= '9';
        };
        if (!digitAt(0)) return false;
        std::size_t pos = 0;
        value = readNumber(text, pos);
        if (pos == text.size()) return true;
        const char sign = text[pos];
        if ((sign != '+' && sign != '-') || !digitAt(pos + 1)) return false;
        ++pos;
        const long long right = readNumber(text, pos);
        if (pos != text.size()) return false;
        value = held(sign == '+' ? value + right : value - right);
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

int evaluateVhdlBound(const GenericTable& generics, std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '$') compact.push_back(c);
    }
    // A plain decimal literal that holds no generic name is read directly:
    // substitution leaves it as it is and the evaluator reads just it.
    if (!compact.empty() && compact[0] >= '0' && compact[0] <= '9' &&
        std::all_of(compact.begin(), compact.end(),
                    [](char c) { return (c >= '0' && c <= '9') || c == '_'; }) &&
        !generics.occursIn(compact)) {
        std::size_t pos = 0;
        return clampToInt(IntegerExpression::readNumber(compact, pos));
    }
    const std::string value = trimBlanks(generics.substitute(compact));
    // A whole integer expression is computed; other texts keep the simple rule.
    if (long long computed = 0; IntegerExpression::simpleSum(value, computed) ||
                                IntegerExpression(toLowerAscii(value)).evaluate(computed))
        return clampToInt(computed);
    const std::size_t sign = value.find_first_of("+-", 1);
    if (sign == std::string::npos) return leadingInt(value);
    const long long left = leadingInt(std::string_view(value).substr(0, sign));
    const long long right = leadingInt(std::string_view(value).substr(sign + 1));
    return clampToInt(value[sign] == '+' ? left + right : left - right);
}

int evaluateVhdlBound(const Module& module, std::string_view text) {
    const GenericTable generics(module.generics);
    return evaluateVhdlBound(generics, text);
}

std::size_t matchingParenEnd(std::string_view text, std::size_t open) {
    long depth = 0;
    for (std::size_t pos = open; pos < text.size(); ++pos) {
        if (text[pos] == '(') ++depth;
        if (text[pos] == ')' && --depth == 0) return pos + 1;
    }
    return text.size();
}

bool parseVhdlRange(const GenericTable& generics, std::string_view text, int& msb, int& lsb,
                    std::size_t* groupEnd) {
    if (text.empty() || text[0] != '(') return false;
    const std::size_t end = matchingParenEnd(text, 0);
    if (groupEnd) *groupEnd = end;
    const std::size_t innerEnd = (end > 1 && text[end - 1] == ')') ? end - 1 : end;
    const std::string_view inner = text.substr(1, innerEnd - 1);
    const std::string lower = toLowerAscii(inner);
    // The marked words come first: a plain "to" may be part of a name.
    static constexpr std::string_view kDirections[] = {"$downto$", "$to$", "downto", "to"};
    for (std::string_view direction : kDirections) {
        const std::size_t found = lower.find(direction);
        if (found == std::string::npos) continue;
        msb = evaluateVhdlBound(generics, inner.substr(0, found));
        lsb = evaluateVhdlBound(generics, inner.substr(found + direction.size()));
        return true;
    }
    return false;
}

}  // namespace corvane
