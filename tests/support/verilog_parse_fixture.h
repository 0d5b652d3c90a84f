// A Verilog source text prepared exactly as the analysis prepares a chunk,
// with a parse state over it, for testing the sub-parsers directly.
#pragma once

#include <memory>
#include <string>

#include "database/chunk_preparation.h"
#include "database/source_file_reader.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "verilog/verilog_parse_state.h"

namespace corvane::testing {

struct VerilogParseFixture {
    explicit VerilogParseFixture(const std::string& source, const std::string& path = "test.v") {
        filePath = path;
        SourceText text;
        text.path = path;
        text.text = source;
        text.lineStarts = lineStartOffsets(source);
        prepareVerilogChunk(module, text, 1, progress);
        state = std::make_unique<VerilogParseState>(
            VerilogParseState{module, filePath, log, progress, 0, 1});
    }

    // Reads tokens up to and including the first one that is not a line
    // marker (updating the current line), as the module parser's loop does,
    // and returns it.
    std::string nextItemToken() {
        while (true) {
            std::string token = state->next();
            if (!isLineMarker(token)) return token;
            state->currentLine = lineMarkerNumber(token);
            if (state->exhausted()) return {};
        }
    }

    Module module;
    std::string filePath;
    MessageLog log;
    NullProgressSink progress;
    std::unique_ptr<VerilogParseState> state;
};

}  // namespace corvane::testing
