// What the source preparation and the front ends need while a chunk is
// analysed: the log, the progress sink, the file cache and the parsers.
#pragma once

#include <functional>
#include <string>

#include "database/records.h"
#include "database/source_cache.h"

namespace corvane {

class MessageLog;
class ProgressSink;
struct AnalysisContext;

// A front end: fills `module` from its prepared text; 0 success, 1 failure.
using ChunkParser = std::function<int(Module& module, const std::string& filePath,
                                      AnalysisContext& context)>;

struct FrontEnds {
    ChunkParser verilog;
    ChunkParser vhdl;
};

struct AnalysisContext {
    MessageLog& log;
    ProgressSink& progress;
    SourceFileCache& sources;
    FrontEnds frontEnds;
    // Set by a front end that met the start of another design unit inside the
    // chunk (a module whose "endmodule" is missing): the next chunk starts on
    // that line instead of after the chunk.
    int restartLine = 0;
};

}  // namespace corvane
