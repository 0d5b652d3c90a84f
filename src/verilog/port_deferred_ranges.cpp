// Port ranges written with a parameter that is declared only later in the
// module: the pin keeps the decimal values of its bound texts until a
// parameter item makes them evaluable.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "text/text_helpers.h"
#include "verilog/port_declarations.h"

namespace corvane {

namespace {

// Bounds on the work a module can cause: ranges kept beyond this number are
// left with their decimal values.
constexpr std::size_t kMaxDeferredRanges = 1024;

std::optional<std::int64_t> boundValue(std::string_view text, const ParameterValues& values) {
    if (isDecimalNumber(text))
        return leadingInt(text);
    return evaluateConstantExpression(text, values);
}

int clampToInt(std::int64_t value) {
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(value);
}

}  // namespace

PortRange evaluatePortRange(std::string_view msbText, std::string_view lsbText,
                            const ParameterValues& values) {
    PortRange range;
    const std::optional<std::int64_t> msb = boundValue(msbText, values);
    const std::optional<std::int64_t> lsb = boundValue(lsbText, values);
    range.msb = msb ? clampToInt(*msb) : leadingInt(msbText);
    range.lsb = lsb ? clampToInt(*lsb) : leadingInt(lsbText);
    range.evaluated = msb.has_value() && lsb.has_value();
    return range;
}

int evaluatePortBound(std::string_view text, const ParameterValues& values) {
    const std::optional<std::int64_t> value = boundValue(text, values);
    return value ? clampToInt(*value) : leadingInt(text);
}

void notePinRange(VerilogParseState& state, std::size_t pin, std::string_view msbText,
                  std::string_view lsbText, bool evaluated) {
    std::vector<DeferredPinRange>& deferred = state.deferredPinRanges.entries;
    if (evaluated && deferred.empty())
        return;
    for (std::size_t i = 0; i < deferred.size(); ++i) {
        if (deferred[i].pin == pin) {
            deferred.erase(deferred.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    if (!evaluated && deferred.size() < kMaxDeferredRanges)
        deferred.push_back(DeferredPinRange{pin, std::string(msbText), std::string(lsbText)});
}

void resolveDeferredPinRanges(VerilogParseState& state) {
    std::vector<DeferredPinRange>& deferred = state.deferredPinRanges.entries;
    std::size_t& evaluationsLeft = state.deferredPinRanges.evaluationsLeft;
    // Past the budget the pins keep the values they have.
    if (deferred.size() > evaluationsLeft) {
        deferred.clear();
        return;
    }
    evaluationsLeft -= deferred.size();
    std::size_t kept = 0;
    for (DeferredPinRange& entry : deferred) {
        const PortRange range =
            evaluatePortRange(entry.msbText, entry.lsbText, state.parameterValues);
        if (range.evaluated) {
            if (entry.pin < state.module.pins.size()) {
                state.module.pins[entry.pin].msb = range.msb;
                state.module.pins[entry.pin].lsb = range.lsb;
            }
            continue;
        }
        if (&deferred[kept] != &entry)
            deferred[kept] = std::move(entry);
        ++kept;
    }
    deferred.resize(kept);
}

}  // namespace corvane
