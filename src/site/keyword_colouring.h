// Keyword colouring of a source text by the keyword lists of the settings
// file, as the source viewer colours it: entries apply in list order and a
// later entry paints over an earlier one.
//   - the Verilog entry "//" and the VHDL entry "--" colour from the mark to
//     the end of its line, the line break included;
//   - the Verilog entry "/*" colours up to and including the next "*/", or
//     to the end of the text when there is none;
//   - any other entry colours each whole-word occurrence of its word
//     (case-sensitive; the characters beside it are not letters, digits or "_").
#pragma once

#include <string_view>
#include <vector>

#include "project/settings_file.h"

namespace corvane {

// No colour of a keyword: the text's own colour.
inline constexpr int kPlainText = -1;

// One colour (0x00BBGGRR, or kPlainText) per byte of `text`. `vhdl` chooses
// the comment rule of the VHDL list.
std::vector<int> keywordColours(std::string_view text, const std::vector<KeywordEntry>& entries,
                                bool vhdl);

// Lists for a site built without keyword entries in the settings: the
// language's reserved words in blue, then comments in green.
std::vector<KeywordEntry> defaultVerilogKeywords();
std::vector<KeywordEntry> defaultVhdlKeywords();

}  // namespace corvane
