// Arbitrary bytes as a settings file. Reading must never crash, the
// placement must come out clamped, and what was read must write and read
// back to the same bytes.
#include <cstdint>
#include <string>

#include "project/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    corvane::Settings first;
    corvane::readSettingsText(text, first);
    const corvane::ConsolePlacement& p = first.console;
    if (p.x < 0 || p.y < 0 || p.width < 256 || p.height < 64) __builtin_trap();
    const std::string written = corvane::formatSettings(first);

    corvane::Settings second;
    corvane::readSettingsText(written, second);
    if (second.searchWords.size() > corvane::kSavedSearchWords) __builtin_trap();
    if (corvane::formatSettings(second) != written) __builtin_trap();
    return 0;
}
