// The predefined VHDL type names the declarations recognise, and the range
// of a vector type written with one.
#pragma once

#include <array>
#include <string_view>

#include "vhdl/vhdl_bounds.h"

namespace corvane {

inline constexpr std::array<std::string_view, 5> kVhdlVectorTypes = {
    "std_logic_vector", "std_ulogic_vector", "signed", "unsigned", "bit_vector"};
inline constexpr std::array<std::string_view, 3> kVhdlScalarTypes = {"std_logic", "std_ulogic",
                                                                     "integer"};

enum class VectorType {
    kNone,          // the type is not one of the vector type names
    kRange,         // a vector type name with a readable range
    kMissingRange,  // a vector type name without a readable range
};

// For a lower-cased, blank-free type text: when it starts with a vector type
// name, reads the range that follows into msb and lsb (left unchanged when
// the range cannot be read).
VectorType vectorRangeOf(std::string_view type, const GenericTable& generics, int& msb, int& lsb);

// Whether a lower-cased, blank-free type text names one of the scalar types
// (optionally followed by a constraint such as "range 0 to 7").
bool isScalarType(std::string_view type);

}  // namespace corvane
