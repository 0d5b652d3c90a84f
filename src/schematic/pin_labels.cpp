#include "schematic/pin_labels.h"

namespace corvane {

std::string pinLabel(const Pin& pin) {
    if (pin.msb != pin.lsb) {
        return pin.name + "[" + std::to_string(pin.msb) + ":" + std::to_string(pin.lsb) + "]";
    }
    if (pin.msb == -1) return pin.name;
    return pin.name + "[" + std::to_string(pin.msb) + "]";
}

}  // namespace corvane
