// Source files analysed as the driver analyses them, with the log, progress
// sink, source cache and module list the tests look at afterwards.
#pragma once

#include <string>
#include <utility>

#include "database/analysis_context.h"
#include "database/chunk_preparation.h"
#include "database/module_list.h"
#include "database/source_cache.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "support/test_files.h"

namespace corvane::testing {

// `Progress` is the progress sink the analysis reports to: a test that checks
// the reported values uses a recording one.
template <class Progress = NullProgressSink>
struct ParsedFiles {
    explicit ParsedFiles(FrontEnds parsers) : frontEnds(std::move(parsers)) {}

    // Analyses the chunk of the file at `path` that starts on `line` into
    // `module`; returns the line the next chunk starts on, 0 after the last.
    int analyseChunk(Module& module, const std::string& path, int line = 1) {
        AnalysisContext context{log, progress, sources, frontEnds};
        return prepareAndParse(module, path, line, context);
    }

    // Writes `text` to `name` inside `folder` and analyses the chunk of it that
    // starts on line 1 into a module appended to `modules`; returns that module.
    Module& analyseText(const TempDir& folder, const std::string& name, const std::string& text) {
        Module& module = modules.append();
        analyseChunk(module, folder.write(name, text));
        return module;
    }

    // Appends every module of the file at `path` to `modules`, chunk after
    // chunk with one context for the whole file.
    void analyseFile(const std::string& path) {
        AnalysisContext context{log, progress, sources, frontEnds};
        for (int line = 1; line != 0;)
            line = prepareAndParse(modules.append(), path, line, context);
        modules.removeLast();
    }

    FrontEnds frontEnds;
    MessageLog log;
    Progress progress;
    SourceFileCache sources;
    ModuleList modules;
};

}  // namespace corvane::testing
