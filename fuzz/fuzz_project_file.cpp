// Arbitrary bytes as a project file. Reading must never crash; what was read
// must write and read back to the same bytes; and a project file that cannot
// be read changes nothing.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "project/project_file.h"

namespace {

using corvane::ModuleList;
using corvane::ProjectSettings;

// Stands in for the analysis driver: each path yields one or two modules
// named after it, replacing older modules of those names.
corvane::AnalyseSourceFile fakeAnalysis(ModuleList& modules) {
    return [&modules](const std::string& path) {
        char stem[32];
        std::snprintf(stem, sizeof stem, "m%zx", std::hash<std::string>{}(path));
        const int count = path.size() % 2 == 0 ? 1 : 2;
        for (int i = 0; i < count; ++i) {
            const std::string name = std::string(stem) + static_cast<char>('a' + i);
            modules.removeByName(name);
            corvane::Module& module = modules.append();
            module.name = name;
            module.filePath = path;
        }
    };
}

struct Project {
    std::string name;
    ProjectSettings settings;
    ModuleList modules;

    std::string format() const {
        return corvane::formatProject(name, "/p/demo.cvproj", modules, settings);
    }
    void read(const std::string& text) {
        corvane::readProjectText(text, "/p/", name, settings, modules, fakeAnalysis(modules));
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Project first;
    first.read(text);
    const std::string written = first.format();

    Project second;
    second.read(written);
    if (second.format() != written) __builtin_trap();

    const std::string before = first.format();
    if (corvane::readProject("/nonexistent/corvane-fuzz.cvproj", first.name, first.settings,
                             first.modules, fakeAnalysis(first.modules)) ||
        first.format() != before) {
        __builtin_trap();
    }
    return 0;
}
