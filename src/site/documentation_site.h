// The documentation site of the analysed design: a folder of static pages
// that works from the file system and from any web server.
//
//   index.html            project name, hierarchy tree, module list, state machines
//   corvane-site.css      the one style sheet
//   modules/<m>.html      one page per module, with its pictures beside it:
//   modules/<m>.schematic.svg, modules/<m>.fsm-<line>.svg
//   sources/<f>.html      one page per source file, lines numbered and anchored
//
// Links are relative, no page needs a script, and the same design gives the
// same bytes. The site is written into a temporary folder beside the output
// folder and renamed into place when complete.
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"
#include "platform/progress_sink.h"
#include "project/settings_file.h"

namespace corvane {

struct SiteRequest {
    const ModuleList& modules;
    std::string projectName;  // heads every page; "" gives "Design documentation"
    // The keyword lists of the settings file; when both are empty the site
    // colours with built-in lists of the languages' reserved words.
    std::vector<KeywordEntry> verilogKeywords;
    std::vector<KeywordEntry> vhdlKeywords;
    std::string outputFolder;
    // Things the reader should know that did not stop the site (a schematic
    // not drawn, a source file not readable); may be nullptr.
    std::vector<std::string>* notes = nullptr;
};

// What an export of an empty design reports.
inline constexpr const char* kNoModulesText =
    "no module is analysed, so there is nothing to document";

// Writes the site; false with `error` set when nothing was written (no
// modules, the folder cannot be written, an existing folder that is not an
// earlier site). Progress: the output folder as the file, then the share of
// pages written, and hideProgress() at the end. The design is not changed:
// schematics are generated on a copy.
bool writeDocumentationSite(const SiteRequest& request, ProgressSink& progress, std::string& error);

}  // namespace corvane
