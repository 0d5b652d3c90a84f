// Arbitrary bytes as a Verilog file, documented: every module's schematic
// and state machine pictures and its page, the source page coloured with
// keyword entries taken from the same bytes, the front page and the JSON
// export. Nothing is written to disk but the scratch file of the analysis.
#include <unistd.h>

#include "elaboration/connection_checks.h"
#include "site/design_database_json.h"
#include "site/index_page.h"
#include "site/module_page.h"
#include "site/site_pictures.h"
#include "site/source_page.h"
#include "support/fuzz_analysis.h"
#include "verilog/verilog_module_parser.h"

namespace {

// Keyword entries cut from the first line of the input: blank-separated words.
std::vector<corvane::KeywordEntry> keywordsFrom(std::string_view text) {
    std::vector<corvane::KeywordEntry> entries;
    const std::string_view line = text.substr(0, text.find('\n'));
    std::size_t start = 0;
    while (start < line.size() && entries.size() < 16) {
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos) end = line.size();
        if (end > start) {
            const std::string word(line.substr(start, end - start));
            entries.push_back({word, static_cast<int>(word.size()), static_cast<int>(start)});
        }
        start = end + 1;
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = "/tmp/corvane-fuzz-site-" + std::to_string(getpid()) + ".v";
    corvane::ModuleList modules = corvane::fuzzing::analyseBytes(
        data, size, path, corvane::FrontEnds{corvane::parseVerilogModule, {}});
    corvane::resolveChildPortDirections(modules);
    std::vector<std::string> names;
    for (const corvane::Module& module : modules) names.push_back(module.name);
    const corvane::SiteNames siteNames(names, {path});
    for (const std::string& name : names) {
        const corvane::SitePicture schematic =
            corvane::schematicPicture(modules, name, siteNames, "m-");
        const auto machines = corvane::stateMachinePictures(modules, name, "m-");
        if (const corvane::Module* module = modules.find(name)) {
            corvane::buildModulePage({modules, *module, siteNames, schematic, machines, "fuzz"});
        }
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<corvane::KeywordEntry> keywords = keywordsFrom(text);
    corvane::SourcePageInput source{path, std::string(text), size % 2 == 1, &keywords, {}};
    corvane::buildSourcePage(source, "fuzz");
    corvane::buildIndexPage({modules, siteNames, "fuzz", {}});
    corvane::designDatabaseJson(modules);
    return 0;
}
