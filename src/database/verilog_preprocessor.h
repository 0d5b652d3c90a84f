// Verilog compiler directives and text macros, run once over a whole file
// before its modules are prepared chunk by chunk.
//
// The result keeps one line per source line, so every line number stays the
// source file's: a directive leaves its line empty, a macro use is replaced
// by its expansion on the line where it starts (the lines of a call that
// runs on are left empty), and the text of an included file, its comments
// removed, stands on the line of its "`include" (its own lines kept apart,
// numbered with the include's line). Comments, string literals and
// "`timescale" lines of the file itself are kept for the line cleaning.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A "`define" met in an active part of the file: its line (for a definition
// inside an included file, the line of the "`include"), its name and its
// replacement text.
struct PreprocessedDefine {
    int line = 0;
    std::string name;
    std::string body;
};

// A problem met while preprocessing: the line and the message text, which
// ends in "\r\n".
struct PreprocessorMessage {
    int line = 0;
    std::string text;
};

struct PreprocessedVerilog {
    std::string text;
    // The source line of every line of `text`: the lines of an included file
    // stay lines of their own (so that the modules of a file of modules are
    // still read one by one), all on the line of their "`include". Empty
    // when every line of `text` is the source line of the same number.
    std::vector<int> lineNumbers;
    std::vector<PreprocessedDefine> defines;
    std::vector<PreprocessorMessage> messages;  // ordered by line
};

// Whether `text` holds a back-quote: without one there is no directive and no
// macro use, and preprocessing would return the text unchanged.
bool holdsBackQuote(std::string_view text);

// Preprocesses the Verilog `text` read from `path`. An "`include" is looked
// for beside the file that holds it, then beside `path`; a file not found is
// dropped. A use of a macro defined nowhere is replaced by its name.
// Expansion is bounded in nesting, count and size: beyond the bounds a
// message is written and the remaining uses are dropped.
PreprocessedVerilog preprocessVerilog(std::string_view text, const std::string& path);

}  // namespace corvane
