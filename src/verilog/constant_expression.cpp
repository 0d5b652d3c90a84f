#include "verilog/constant_expression.h"

#include <cstddef>
#include <utility>

namespace corvane {

std::size_t ParameterValues::smallIndex(std::string_view name) const {
    for (std::size_t i = 0; i < smallCount_; ++i) {
        if (small_[i].name == name)
            return i;
    }
    return kSmallCapacity;
}

void ParameterValues::set(std::string_view name, std::int64_t value) {
    const std::size_t index = smallIndex(name);
    if (index != kSmallCapacity) {
        small_[index].value = value;
        return;
    }
    if (!entries_.empty()) {
        const auto found = entries_.find(name);
        if (found != entries_.end()) {
            found->second = value;
            return;
        }
    }
    if (smallCount_ < kSmallCapacity) {
        Entry& entry = small_[smallCount_++];
        entry.name.assign(name);
        entry.value = value;
        return;
    }
    entries_.emplace(std::string(name), value);
}

void ParameterValues::erase(std::string_view name) {
    const std::size_t index = smallIndex(name);
    if (index != kSmallCapacity) {
        // The order of the small entries carries no meaning: the last one
        // takes the freed place.
        --smallCount_;
        if (index != smallCount_)
            std::swap(small_[index], small_[smallCount_]);
        return;
    }
    const auto found = entries_.find(name);
    if (found != entries_.end())
        entries_.erase(found);
}

const std::int64_t* ParameterValues::find(std::string_view name) const {
    const std::size_t index = smallIndex(name);
    if (index != kSmallCapacity)
        return &small_[index].value;
    if (entries_.empty())
        return nullptr;
    const auto found = entries_.find(name);
    return found != entries_.end() ? &found->second : nullptr;
}

namespace {

using Int = std::int64_t;
using UInt = std::uint64_t;

// A value, or unknown (a division by zero, an unknown name). An unknown
// value in a branch that is not taken does not make the result unknown.
struct Value {
    bool known = false;
    Int value = 0;
};

Value known(Int value) { return Value{true, value}; }
Value knownBool(bool value) { return Value{true, value ? 1 : 0}; }

Int wrapAdd(Int a, Int b) { return static_cast<Int>(static_cast<UInt>(a) + static_cast<UInt>(b)); }
Int wrapSub(Int a, Int b) { return static_cast<Int>(static_cast<UInt>(a) - static_cast<UInt>(b)); }
Int wrapMul(Int a, Int b) { return static_cast<Int>(static_cast<UInt>(a) * static_cast<UInt>(b)); }
Int wrapNeg(Int a) { return static_cast<Int>(UInt{0} - static_cast<UInt>(a)); }

Value divide(Int a, Int b, bool remainder) {
    if (b == 0)
        return {};
    if (b == -1)  // also the one quotient that does not fit: INT64_MIN / -1
        return known(remainder ? 0 : wrapNeg(a));
    return known(remainder ? a % b : a / b);
}

Value power(Int base, Int exponent) {
    if (exponent < 0) {
        if (base == 0)
            return {};
        if (base == 1)
            return known(1);
        if (base == -1)
            return known((exponent & 1) != 0 ? -1 : 1);
        return known(0);
    }
    UInt result = 1;
    UInt factor = static_cast<UInt>(base);
    for (UInt e = static_cast<UInt>(exponent); e != 0; e >>= 1) {
        if ((e & 1) != 0)
            result *= factor;
        factor *= factor;
    }
    return known(static_cast<Int>(result));
}

Value shift(Int a, Int b, std::string_view op) {
    const bool arithmeticRight = op == ">>>";
    if (b < 0 || b >= 64) {
        if (arithmeticRight && a < 0)
            return known(-1);
        return known(0);
    }
    if (op == "<<" || op == "<<<")
        return known(static_cast<Int>(static_cast<UInt>(a) << b));
    if (arithmeticRight)
        return known(a >> b);
    return known(static_cast<Int>(static_cast<UInt>(a) >> b));
}

// Number of bits needed to address `value` items: ceil(log2(value)), with
// the argument read as unsigned.
Int ceilLog2(Int value) {
    UInt rest = static_cast<UInt>(value);
    if (rest <= 1)
        return 0;
    --rest;
    Int bits = 0;
    while (rest != 0) {
        rest >>= 1;
        ++bits;
    }
    return bits;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isIdentifierStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool isIdentifierChar(char c) { return isIdentifierStart(c) || isDigit(c) || c == '$'; }

// Digit value in `base`, or -1.
int digitValue(char c, int base) {
    int digit = -1;
    if (isDigit(c))
        digit = c - '0';
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

// Binding levels of the binary operators, lowest first; all associate to
// the left.
enum Level : int {
    kLogicalOr,
    kLogicalAnd,
    kBitOr,
    kBitXor,
    kBitAnd,
    kEquality,
    kRelational,
    kShift,
    kAdditive,
    kMultiplicative,
    kPower,
};

struct Operator {
    std::string_view text;
    int level = -1;
};

// The binary operator at the start of `rest`, longest first, or none.
Operator binaryOperatorAt(std::string_view rest) {
    if (rest.empty())
        return {};
    const auto pick = [&rest](std::string_view longer, int longerLevel, std::string_view shorter,
                              int shorterLevel) -> Operator {
        if (!longer.empty() && rest.starts_with(longer))
            return {longer, longerLevel};
        if (!shorter.empty() && rest.starts_with(shorter))
            return {shorter, shorterLevel};
        return {};
    };
    switch (rest.front()) {
    case '|': return pick("||", kLogicalOr, "|", kBitOr);
    case '&': return pick("&&", kLogicalAnd, "&", kBitAnd);
    case '^': return pick("^~", kBitXor, "^", kBitXor);
    case '~': return pick("~^", kBitXor, {}, 0);
    case '=': return pick("===", kEquality, "==", kEquality);
    case '!': return pick("!==", kEquality, "!=", kEquality);
    case '<':
        if (rest.starts_with("<<<")) return {"<<<", kShift};
        return pick("<<", kShift, rest.starts_with("<=") ? "<=" : "<", kRelational);
    case '>':
        if (rest.starts_with(">>>")) return {">>>", kShift};
        return pick(">>", kShift, rest.starts_with(">=") ? ">=" : ">", kRelational);
    case '+': return {"+", kAdditive};
    case '-': return {"-", kAdditive};
    case '*': return pick("**", kPower, "*", kMultiplicative);
    case '/': return {"/", kMultiplicative};
    case '%': return {"%", kMultiplicative};
    default: return {};
    }
}

// Limit on the nesting of parentheses, conditional operators, function calls
// and unary operators.
constexpr int kMaxDepth = 64;

class Evaluator {
  public:
    Evaluator(std::string_view text, const ParameterValues& values) : text_(text), values_(values) {}

    std::optional<Int> run() {
        const Value value = conditional();
        skipBlanks();
        if (failed_ || pos_ != text_.size() || !value.known)
            return std::nullopt;
        return value.value;
    }

  private:
    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }

    bool accept(std::string_view op) {
        skipBlanks();
        if (text_.substr(pos_).starts_with(op)) {
            pos_ += op.size();
            return true;
        }
        return false;
    }

    bool enter() {
        if (++depth_ > kMaxDepth)
            failed_ = true;
        return !failed_;
    }

    Value conditional() {
        if (!enter())
            return {};
        Value condition = binary(kLogicalOr);
        if (!failed_ && accept("?")) {
            const Value whenTrue = conditional();
            if (!accept(":"))
                failed_ = true;
            const Value whenFalse = failed_ ? Value{} : conditional();
            if (!condition.known)
                condition = {};
            else
                condition = condition.value != 0 ? whenTrue : whenFalse;
        }
        --depth_;
        return condition;
    }

    // Operands joined by operators of `minLevel` or higher, by precedence
    // climbing: one operator scan per operand.
    Value binary(int minLevel) {
        Value left = unary();
        while (!failed_) {
            skipBlanks();
            const Operator op = binaryOperatorAt(text_.substr(pos_));
            if (op.level < minLevel)
                break;
            pos_ += op.text.size();
            const Value right = binary(op.level + 1);
            left = apply(op.text, left, right);
        }
        return left;
    }

    static Value apply(std::string_view op, Value a, Value b) {
        if (op == "&&" && a.known && a.value == 0)
            return known(0);
        if (op == "||" && a.known && a.value != 0)
            return known(1);
        if (!a.known || !b.known)
            return {};
        const Int x = a.value;
        const Int y = b.value;
        if (op == "||") return knownBool(y != 0);
        if (op == "&&") return knownBool(y != 0);
        if (op == "|") return known(x | y);
        if (op == "^") return known(x ^ y);
        if (op == "^~" || op == "~^") return known(~(x ^ y));
        if (op == "&") return known(x & y);
        if (op == "==" || op == "===") return knownBool(x == y);
        if (op == "!=" || op == "!==") return knownBool(x != y);
        if (op == "<") return knownBool(x < y);
        if (op == "<=") return knownBool(x <= y);
        if (op == ">") return knownBool(x > y);
        if (op == ">=") return knownBool(x >= y);
        if (op == "+") return known(wrapAdd(x, y));
        if (op == "-") return known(wrapSub(x, y));
        if (op == "*") return known(wrapMul(x, y));
        if (op == "/") return divide(x, y, false);
        if (op == "%") return divide(x, y, true);
        if (op == "**") return power(x, y);
        return shift(x, y, op);
    }

    Value unary() {
        skipBlanks();
        if (pos_ >= text_.size()) {
            failed_ = true;
            return {};
        }
        const char c = text_[pos_];
        const bool logicalNot = c == '!' && !text_.substr(pos_).starts_with("!=");
        if (c != '+' && c != '-' && c != '~' && !logicalNot)
            return primary();
        // "~&", "~|" and "~^" before an operand are reductions, not read here.
        if (c == '~' && pos_ + 1 < text_.size() &&
            (text_[pos_ + 1] == '&' || text_[pos_ + 1] == '|' || text_[pos_ + 1] == '^')) {
            failed_ = true;
            return {};
        }
        ++pos_;
        if (!enter())
            return {};
        const Value operand = unary();
        --depth_;
        if (!operand.known)
            return {};
        if (c == '-') return known(wrapNeg(operand.value));
        if (c == '~') return known(~operand.value);
        if (c == '!') return knownBool(operand.value == 0);
        return operand;
    }

    Value primary() {
        skipBlanks();
        const char c = text_[pos_];
        if (c == '(') {
            ++pos_;
            const Value inner = conditional();
            if (!accept(")"))
                failed_ = true;
            return inner;
        }
        if (isDigit(c) || c == '\'')
            return number();
        if (c == '$')
            return systemFunction();
        if (isIdentifierStart(c)) {
            const std::string_view name = identifier();
            const Int* value = values_.find(name);
            return value != nullptr ? known(*value) : Value{};
        }
        failed_ = true;
        return {};
    }

    std::string_view identifier() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && isIdentifierChar(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    Value systemFunction() {
        const std::string_view name = identifier();
        const bool clog2 = name == "$clog2";
        if ((!clog2 && name != "$signed" && name != "$unsigned") || !accept("(")) {
            failed_ = true;
            return {};
        }
        const Value argument = conditional();
        if (!accept(")"))
            failed_ = true;
        if (!argument.known || !clog2)
            return argument;
        return known(ceilLog2(argument.value));
    }

    // Digits of `base` with "_" separators; false when there are none or an
    // x or z digit (an unknown value) appears, or a ? digit in a based one.
    bool digits(int base, bool based, UInt& value) {
        skipBlanks();
        bool any = false;
        value = 0;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '_' && any) {
                ++pos_;
                continue;
            }
            const int digit = digitValue(c, base);
            if (digit < 0)
                break;
            value = value * static_cast<UInt>(base) + static_cast<UInt>(digit);
            any = true;
            ++pos_;
        }
        if (pos_ < text_.size() && (isIdentifierChar(text_[pos_]) || text_[pos_] == '.' ||
                                    (based && text_[pos_] == '?'))) {
            failed_ = true;  // x, z, ?, a real number or a digit of a larger base
        }
        return any && !failed_;
    }

    // A decimal number, or a based literal with an optional size: 8'd10,
    // 'h1F, 4'sb1010. A sized value keeps its low `size` bits.
    Value number() {
        UInt size = 0;
        const bool sized = text_[pos_] != '\'';
        if (sized) {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && (isDigit(text_[pos_]) || text_[pos_] == '_')) ++pos_;
            const std::string_view decimal = text_.substr(start, pos_ - start);
            for (char d : decimal) {
                if (d != '_') size = size * 10 + static_cast<UInt>(d - '0');
            }
            skipBlanks();
            if (pos_ >= text_.size() || text_[pos_] != '\'') {
                pos_ = start;
                UInt value = 0;
                if (!digits(10, false, value))
                    failed_ = true;
                return known(static_cast<Int>(value));
            }
        }
        return based(sized ? size : 0);
    }

    Value based(UInt size) {
        ++pos_;  // the apostrophe
        bool isSigned = false;
        if (pos_ < text_.size() && (text_[pos_] == 's' || text_[pos_] == 'S')) {
            isSigned = true;
            ++pos_;
        }
        int base = 0;
        if (pos_ < text_.size()) {
            const char b = text_[pos_];
            base = (b == 'd' || b == 'D') ? 10 : (b == 'h' || b == 'H') ? 16
                 : (b == 'o' || b == 'O') ? 8 : (b == 'b' || b == 'B') ? 2 : 0;
        }
        UInt value = 0;
        if (base == 0) {
            failed_ = true;  // '0, '1 and the like are not read
            return {};
        }
        ++pos_;
        if (!digits(base, true, value)) {
            failed_ = true;
            return {};
        }
        if (size == 0 || size >= 64)
            return known(static_cast<Int>(value));
        const UInt mask = (UInt{1} << size) - 1;
        value &= mask;
        if (isSigned && (value >> (size - 1)) != 0)
            value |= ~mask;
        return known(static_cast<Int>(value));
    }

    std::string_view text_;
    const ParameterValues& values_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    bool failed_ = false;
};

}  // namespace

std::optional<std::int64_t> evaluateConstantExpression(std::string_view text,
                                                       const ParameterValues& values) {
    // Plain decimal digits, the most common bound and value, are read
    // directly; 18 digits cannot overflow 64 bits.
    constexpr std::size_t kSafeDigits = 18;
    if (!text.empty() && text.size() <= kSafeDigits) {
        Int value = 0;
        std::size_t i = 0;
        while (i < text.size() && isDigit(text[i])) value = value * 10 + (text[i++] - '0');
        if (i == text.size())
            return value;
    }
    return Evaluator(text, values).run();
}

}  // namespace corvane
