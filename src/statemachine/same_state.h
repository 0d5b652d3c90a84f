// Whether a transition's target names a given state: "IDLE" and "idle" do,
// and so do 2'b10, 2'd2 and 2, which are one number written three ways.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane {

// The value of a target or state name read as a number: decimal digits
// only, or a based literal such as 4'hA (b/B binary, d/D decimal, h/H hex,
// any other base letter octal), read up to the first character that is not
// a digit of the base. Nothing when the text is not a number, including a
// based literal without a single digit of its base (4'bx).
std::optional<std::uint64_t> stateNumber(std::string_view text);

// Same-state test: equal when lower-cased, or both numbers of equal value.
bool isSameState(std::string_view a, std::string_view b);

}  // namespace corvane
