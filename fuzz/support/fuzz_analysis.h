// Arbitrary bytes written to a scratch file and analysed chunk by chunk as
// the analysis driver does, for the fuzz targets behind the front ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "database/chunk_preparation.h"
#include "database/module_list.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"

namespace corvane::fuzzing {

// Every module the front ends find in `data`, analysed as the file `path`
// (its extension picks the language). Traps when a chunk does not move the
// analysis forward, since the driver would loop for ever.
inline ModuleList analyseBytes(const uint8_t* data, size_t size, const std::string& path,
                               FrontEnds frontEnds) {
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    AnalysisContext context{log, progress, sources, std::move(frontEnds)};
    ModuleList modules;
    for (int line = 1; line != 0;) {
        const int next = prepareAndParse(modules.append(), path, line, context);
        if (next != 0 && next <= line) __builtin_trap();
        line = next;
    }
    modules.removeLast();
    std::remove(path.c_str());
    return modules;
}

}  // namespace corvane::fuzzing
