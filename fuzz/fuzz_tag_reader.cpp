// Arbitrary bytes through the tag reader, and as an escaped attribute value:
// reading must never crash, and an escaped text on one line must read back
// unchanged.
#include <cstdint>
#include <string>

#include "text/tag_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    corvane::TagReader reader;
    if (reader.parse(text) == corvane::TagReader::kOpened) {
        reader.rewind();
        while (!reader.next()) {
            (void)reader.kind();
            (void)reader.attribute(reader.name());
            (void)reader.attribute("name");
        }
    } else if (!reader.nodes().empty()) {
        __builtin_trap();
    }

    const std::string escaped = corvane::escapeTagText(text);
    if (corvane::unescapeTagText(escaped) != text) __builtin_trap();
    if (text.find('\n') == std::string::npos) {
        corvane::TagReader element;
        if (element.parse("<comment text=\"" + escaped + "\"/>") != corvane::TagReader::kOpened ||
            element.next() || element.attribute("text") != text) {
            __builtin_trap();
        }
    }
    return 0;
}
