// Constant expressions of Verilog ranges and parameter values: integer
// arithmetic over numbers, sized and based literals and the parameters
// declared so far, evaluated in 64 bits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The values of the parameters and localparams of one module that could be
// evaluated; names are compared as written. A module mostly declares a few
// parameters: the first ones live in a small array searched from the front
// (no allocation, no tree walk), the rest in an ordered map.
class ParameterValues {
  public:
    // Sets `name` to `value`; a later declaration of the same name wins.
    void set(std::string_view name, std::int64_t value);
    // Forgets `name` (a declaration whose value cannot be evaluated hides
    // any earlier value of the same name).
    void erase(std::string_view name);
    const std::int64_t* find(std::string_view name) const;
    bool empty() const { return smallCount_ == 0 && entries_.empty(); }
    void clear() {
        smallCount_ = 0;
        entries_.clear();
    }

  private:
    struct Entry {
        std::string name;
        std::int64_t value = 0;
    };
    static constexpr std::size_t kSmallCapacity = 8;
    // Index of `name` among the first `smallCount_` small entries, or
    // kSmallCapacity.
    std::size_t smallIndex(std::string_view name) const;

    std::array<Entry, kSmallCapacity> small_ = {};
    std::size_t smallCount_ = 0;
    std::map<std::string, std::int64_t, std::less<>> entries_;  // once the array is full
};

// The value of `text`, or nothing when it is not a constant expression that
// can be evaluated: a syntax the evaluator does not read, an unknown name, a
// literal with x or z digits, a real number, a division by zero. Operators:
// ?: || && | ^ ~^ & == != === !== < <= > >= << >> <<< >>> + - * / % ** and
// the unary + - ! ~, with parentheses, $clog2, $signed and $unsigned.
// Arithmetic wraps around in 64 bits; shifts by 64 or more give 0 (or -1 for
// an arithmetic shift of a negative value); nesting is bounded.
std::optional<std::int64_t> evaluateConstantExpression(std::string_view text,
                                                       const ParameterValues& values);

}  // namespace corvane
