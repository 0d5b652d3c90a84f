#include "vhdl/vhdl_type_names.h"

namespace corvane {

namespace {

// Whether `type` is `name`, or `name` followed by text that cannot continue
// an identifier (a bracket, a mark, or the word "range").
bool startsWithTypeName(std::string_view type, std::string_view name) {
    if (!type.starts_with(name)) return false;
    const std::string_view rest = type.substr(name.size());
    if (rest.empty() || rest.starts_with("range")) return true;
    const char c = rest.front();
    return !((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
}

}  // namespace

VectorType vectorRangeOf(std::string_view type, const GenericTable& generics, int& msb, int& lsb) {
    for (std::string_view name : kVhdlVectorTypes) {
        if (!startsWithTypeName(type, name)) continue;
        int first = 0;
        int second = 0;
        if (!parseVhdlRange(generics, type.substr(name.size()), first, second)) {
            return VectorType::kMissingRange;
        }
        msb = first;
        lsb = second;
        return VectorType::kRange;
    }
    return VectorType::kNone;
}

bool isScalarType(std::string_view type) {
    for (std::string_view name : kVhdlScalarTypes) {
        if (startsWithTypeName(type, name)) return true;
    }
    return false;
}

}  // namespace corvane
