// Arbitrary bytes through the source reader and both chunk preparations,
// then the token reader over every prepared chunk.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "database/chunk_preparation.h"
#include "database/source_file_reader.h"
#include "database/token_reader.h"
#include "platform/progress_sink.h"

namespace {

std::string scratchPath() {
    return "/tmp/corvane-fuzz-source-" + std::to_string(getpid()) + ".v";
}

void readAllTokens(corvane::Module& module) {
    module.parameters["a"] = "b";
    int steps = 0;
    while (!nextToken(module).empty() || module.readPos >= 0) {
        if (++steps % 7 == 0) {
            corvane::pushBackToken(module);
            corvane::nextToken(module);
        }
        if (steps > 10'000'000) __builtin_trap();  // the reader must make progress
    }
}

template <typename Prepare>
void prepareEveryChunk(const corvane::SourceText& source, Prepare prepare) {
    corvane::NullProgressSink progress;
    int start = 1;
    while (true) {
        corvane::Module module;
        const int next = prepare(module, source, start, progress);
        readAllTokens(module);
        if (next == 0) break;
        if (next <= start) __builtin_trap();  // chunks must move forward
        start = next;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = scratchPath();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    corvane::SourceText source;
    source.path = path;
    source.text = corvane::readSourceFile(path);
    if (source.text.empty()) source.text = corvane::convertToUtf8(bytes, corvane::classifyEncoding(bytes));
    source.lineStarts = corvane::lineStartOffsets(source.text);
    prepareEveryChunk(source, corvane::prepareVerilogChunk);
    prepareEveryChunk(source, corvane::prepareVhdlChunk);
    std::remove(path.c_str());
    return 0;
}
