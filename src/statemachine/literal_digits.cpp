#include "statemachine/literal_digits.h"

namespace corvane {

int literalBase(char letter, int otherwise) {
    switch (letter) {
        case 'b':
        case 'B':
            return 2;
        case 'd':
        case 'D':
            return 10;
        case 'h':
        case 'H':
            return 16;
        case 'o':
        case 'O':
            return 8;
        default:
            return otherwise;
    }
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

}  // namespace corvane
