// A VHDL source text prepared exactly as the analysis prepares a file, with a
// parse state over it, for testing the VHDL sub-parsers and the whole front end.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "database/analysis_context.h"
#include "database/chunk_preparation.h"
#include "database/source_cache.h"
#include "database/source_file_reader.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "vhdl/vhdl_module_parser.h"
#include "vhdl/vhdl_parse_state.h"

namespace corvane::testing {

struct VhdlParseFixture {
    explicit VhdlParseFixture(const std::string& source,
                              const std::map<std::string, std::string>& generics = {}) {
        module.language = kVhdl;
        module.generics = generics;
        SourceText text;
        text.path = filePath;
        text.text = source;
        text.lineStarts = lineStartOffsets(source);
        prepareVhdlChunk(module, text, 1, progress);
        state = std::make_unique<VhdlParseState>(module, filePath, log, progress);
    }

    // Reads tokens up to and including the first one that is not a line
    // marker (updating the current line), as the main loop does, and returns it.
    std::string nextItemToken() { return state->nextSkippingMarkers(); }

    // Runs the whole front end on the text, with the net table built without
    // connection checks.
    int parse() {
        AnalysisContext context{log, progress, sources, {}};
        return parseVhdlText(module, filePath, context, buildVhdlNetsWithoutChecks);
    }

    // The log split into its lines, without the "\r\n" ends.
    std::vector<std::string> logLines() const {
        std::vector<std::string> lines;
        std::string_view text = log.text();
        while (!text.empty()) {
            const std::size_t end = text.find("\r\n");
            lines.emplace_back(text.substr(0, end));
            if (end == std::string_view::npos) break;
            text.remove_prefix(end + 2);
        }
        return lines;
    }

    // "#ERROR : test.vhd : <line> : <message>" as the log writes it.
    std::string errorLine(int line, const std::string& message) const {
        return "#ERROR : " + filePath + " : " + std::to_string(line) + " : " + message;
    }

    Module module;
    std::string filePath = "test.vhd";
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    std::unique_ptr<VhdlParseState> state;
};

}  // namespace corvane::testing
