#include "statemachine/concatenation_split.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "statemachine/literal_digits.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

enum class ItemMode { kOutside, kAfterOpen, kAfterColon };

bool hasRange(const ConcatenationItem& item) {
    return item.msb != -1 && item.lsb != -1;
}

std::int64_t rangeWidth(int msb, int lsb) {
    return std::llabs(static_cast<std::int64_t>(msb) - lsb) + 1;
}

// Appends name[i] for i from msb to lsb, stopping at the bit limit.
void appendRangeBits(const std::string& name, int msb, int lsb, std::vector<std::string>& bits) {
    const int step = msb > lsb ? -1 : 1;
    for (std::int64_t i = msb;; i += step) {
        if (bits.size() >= static_cast<std::size_t>(kMaxConcatenationBits)) return;
        bits.push_back(name + "[" + std::to_string(i) + "]");
        if (i == lsb) return;
    }
}

// Bits of a sized literal such as 3'b101, most significant first. A literal
// that is too short, has an unknown base letter, or whose first digit is not
// a digit of its base (x, z, ?) contributes nothing.
void appendLiteralBits(const std::string& text, std::vector<std::string>& bits) {
    if (text.size() < 4) return;
    const std::size_t quote = text.find('\'');
    if (quote + 1 >= text.size()) return;
    const int base = literalBase(text[quote + 1], 0);  // other letters: no literal
    if (base == 0) return;
    std::uint64_t value = 0;
    bool anyDigit = false;
    for (char c : text.substr(quote + 2)) {
        if (c == '_') continue;
        if (digitValue(c) >= base) break;
        value =
            value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digitValue(c));
        anyDigit = true;
    }
    if (!anyDigit) return;
    const int width = leadingInt(text);
    for (int position = width - 1; position >= 0; --position) {
        if (bits.size() >= static_cast<std::size_t>(kMaxConcatenationBits)) return;
        const bool one = position < 64 && ((value >> position) & 1u) != 0;
        bits.push_back(one ? "1" : "0");
    }
}

void appendItemBits(const ConcatenationItem& item, const DeclarationRanges& declarations,
                    std::vector<std::string>& bits) {
    const std::string& text = item.name;
    if (!text.empty() && text[0] >= '1' && text[0] <= '9') {
        if (text.find('\'') != std::string::npos) appendLiteralBits(text, bits);
        return;
    }
    if (hasRange(item)) return appendRangeBits(text, item.msb, item.lsb, bits);
    const std::optional<ConcatenationItem> declared = declarations.find(text);
    if (declared && hasRange(*declared)) {
        return appendRangeBits(text, declared->msb, declared->lsb, bits);
    }
    if (bits.size() < static_cast<std::size_t>(kMaxConcatenationBits)) bits.push_back(text);
}

std::int64_t itemWidth(const ConcatenationItem& item, const DeclarationRanges& declarations) {
    if (hasRange(item)) return rangeWidth(item.msb, item.lsb);
    const std::optional<ConcatenationItem> declared = declarations.find(item.name);
    if (declared && hasRange(*declared)) return rangeWidth(declared->msb, declared->lsb);
    return 1;
}

bool isConstantBit(const std::string& bit) {
    return bit == "1" || bit == "0";
}

std::string bitSource(const std::string& bit) {
    return bit.substr(0, bit.find('['));
}

std::string constantValue(const std::vector<std::string>& bits) {
    if (bits.size() == 1) return bits[0] == "0" ? "1'b0" : "1'b1";
    std::uint64_t value = 0;
    for (const std::string& bit : bits) value = (value << 1) | (bit == "1" ? 1u : 0u);
    char text[48];
    std::snprintf(text, sizeof text, "%d'h%llX", static_cast<int>(bits.size()),
                  static_cast<unsigned long long>(value));
    return text;
}

std::string mixedValue(const std::vector<std::string>& bits) {
    std::string value = "{";
    for (std::size_t i = 0; i < bits.size(); ++i) {
        if (i > 0) value += ",";
        value += isConstantBit(bits[i]) ? "1'b" + bits[i] : bits[i];
    }
    return value + "}";
}

// Whether the indices run from first to last in steps of exactly +1 or -1.
bool isContiguous(const std::vector<std::string>& indices) {
    if (indices.size() < 2) return false;
    std::vector<std::int64_t> numbers;
    for (const std::string& index : indices) {
        if (!isDecimalNumber(index) || index.size() > 9) return false;
        numbers.push_back(std::atoll(index.c_str()));
    }
    const std::int64_t step = numbers[1] - numbers[0];
    if (step != 1 && step != -1) return false;
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        if (numbers[i] - numbers[i - 1] != step) return false;
    }
    return true;
}

std::string singleSourceValue(const std::string& source, const std::vector<std::string>& bits) {
    if (bits.size() == 1) return bits[0];
    std::vector<std::string> indices;
    for (const std::string& bit : bits) {
        std::string index;
        for (char c : bit.substr(source.size())) {
            if (c != '[' && c != ']') index += c;
        }
        indices.push_back(index);
    }
    if (isContiguous(indices)) return source + "[" + indices.front() + ":" + indices.back() + "]";
    std::string value = "{";
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i > 0) value += ",";
        value += source + "[" + indices[i] + "]";
    }
    return value + "}";
}

// The value text of the bits one left-hand element received.
std::string valueOfBits(const std::vector<std::string>& bits) {
    if (bits.empty()) return {};
    bool allConstant = true;
    bool oneSource = true;
    const std::string first = isConstantBit(bits[0]) ? std::string() : bitSource(bits[0]);
    for (const std::string& bit : bits) {
        const bool constant = isConstantBit(bit);
        allConstant = allConstant && constant;
        const std::string source = constant ? std::string() : bitSource(bit);
        if (constant != isConstantBit(bits[0]) || source != first) oneSource = false;
    }
    if (allConstant) return constantValue(bits);
    if (!oneSource) return mixedValue(bits);
    return singleSourceValue(first, bits);
}

std::string targetText(const ConcatenationItem& item) {
    if (!hasRange(item)) return item.name;
    if (item.msb == item.lsb) return item.name + "[" + std::to_string(item.msb) + "]";
    return item.name + "[" + std::to_string(item.msb) + ":" + std::to_string(item.lsb) + "]";
}

}  // namespace

DeclarationRanges::DeclarationRanges(const Module& module) {
    auto add = [this](const std::string& name, int msb, int lsb) {
        ConcatenationItem range{name, -1, -1};
        if (msb >= 0 && lsb >= 0) range.msb = msb, range.lsb = lsb;
        ranges_.emplace(name, range);  // an earlier declaration of the name stays
    };
    for (const Reg& reg : module.regs) add(reg.displayName, reg.msb, reg.lsb);
    for (const Wire& wire : module.wires) add(wire.displayName, wire.msb, wire.lsb);
    for (const Pin& pin : module.pins) add(pin.displayName, pin.msb, pin.lsb);
}

std::optional<ConcatenationItem> DeclarationRanges::find(const std::string& name) const {
    const auto found = ranges_.find(name);
    if (found == ranges_.end()) return std::nullopt;
    return found->second;
}

std::vector<ConcatenationItem> concatenationItems(const std::vector<FormulaToken>& tokens) {
    std::vector<ConcatenationItem> items;
    ItemMode mode = ItemMode::kOutside;
    for (const FormulaToken& token : tokens) {
        if (token.op != -1) {
            if (token.text == "[") mode = ItemMode::kAfterOpen;
            if (token.text == ":") mode = ItemMode::kAfterColon;
            if (token.text == "]") mode = ItemMode::kOutside;
            continue;
        }
        if (mode == ItemMode::kOutside) {
            items.push_back({token.displayText, -1, -1});
        } else if (!items.empty() && mode == ItemMode::kAfterOpen) {
            items.back().msb = items.back().lsb = leadingInt(token.displayText);
        } else if (!items.empty()) {
            items.back().lsb = leadingInt(token.displayText);
        }
    }
    return items;
}

std::vector<std::string> concatenationBits(const std::vector<ConcatenationItem>& items,
                                           const DeclarationRanges& declarations) {
    std::vector<std::string> bits;
    for (const ConcatenationItem& item : items) appendItemBits(item, declarations, bits);
    return bits;
}

AssignmentPairs splitConcatenation(const Statement& statement,
                                   const DeclarationRanges& declarations) {
    const std::vector<std::string> bits =
        concatenationBits(concatenationItems(statement.valueTokens), declarations);
    AssignmentPairs pairs;
    std::size_t position = 0;
    for (const ConcatenationItem& item : concatenationItems(statement.targetTokens)) {
        const std::int64_t width = itemWidth(item, declarations);
        std::vector<std::string> taken;
        for (std::int64_t i = 0; i < width && position + i < bits.size(); ++i) {
            taken.push_back(bits[position + static_cast<std::size_t>(i)]);
        }
        position = position + static_cast<std::size_t>(std::min<std::int64_t>(width, bits.size()));
        pairs.emplace_back(targetText(item), valueOfBits(taken));
    }
    return pairs;
}

}  // namespace corvane
