// The page of one source file: every line with its number and an anchor
// "L<number>", coloured by the keyword list of the file's language.
#pragma once

#include <string>
#include <vector>

#include "project/settings_file.h"

namespace corvane {

struct SourcePageInput {
    std::string filePath;  // as the modules name it
    std::string text;      // the file's text as the front ends read it
    bool vhdl = false;     // which comment rule the list follows
    const std::vector<KeywordEntry>* keywords = nullptr;       // nullptr: no colouring
    std::vector<std::pair<std::string, std::string>> modules;  // display name, page address
};

// The page; `projectName` heads it, the page lives one folder below the root.
std::string buildSourcePage(const SourcePageInput& input, const std::string& projectName);

// The lines of `text` as the page numbers them: a line ends at a line feed
// (a carriage return before it is dropped) and a last line without one counts.
std::vector<std::string_view> sourceLines(std::string_view text);

}  // namespace corvane
