// Turning source lines into the prepared token text of one chunk: one Verilog
// module, or the rest of a VHDL file.
//
// Every non-empty cleaned line contributes a line marker "%%<line>" as its
// first token; the tokens of the chunk are joined by single blanks into
// `Module::text`.
#pragma once

#include <string>
#include <string_view>

#include "database/analysis_context.h"
#include "database/records.h"
#include "database/source_cache.h"

namespace corvane {

class ProgressSink;

inline constexpr std::string_view kDefineEndMarker = "##define_end##";
inline constexpr std::string_view kVhdlEndMarker = "\\#$";

// Language by extension: ".vhd", ".vhdl", ".VHD", ".VHDL" are VHDL.
Language languageOfPath(std::string_view path);

// Prepares the Verilog chunk that starts at `startLine`: the lines up to and
// including the one that ends the text with "endmodule", or to the end of the
// file. Returns the line after the chunk, or 0 when the file ends before
// `startLine`. Fills text, tokenCount, lineComments, charCount and lineCount.
int prepareVerilogChunk(Module& module, const SourceText& source, int startLine,
                        ProgressSink& progress);

// Prepares the VHDL chunk from `startLine` to the end of the file, with the
// "end" words replaced by the end marker and the word operators marked.
// Returns the line after the end of the file, or 0 when it ends before `startLine`.
int prepareVhdlChunk(Module& module, const SourceText& source, int startLine,
                     ProgressSink& progress);

// Reads the chunk of `filePath` starting at `startLine`, runs the front end of
// its language and clears the working state. Returns the line at which the
// next chunk starts, or 0 when there is nothing more to analyse in the file.
int prepareAndParse(Module& module, const std::string& filePath, int startLine,
                    AnalysisContext& context);

}  // namespace corvane
