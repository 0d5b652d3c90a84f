// Every #include "..." under src/ points to its own folder or to a folder of
// a lower layer of src/layers; nothing includes upwards or sideways.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each folder's layer: 0 for the first line of the layers file, and so on.
struct LayerOrder {
    std::map<std::string, int> layerOf;
    std::vector<std::string> problems;  // folders named twice
};

LayerOrder parseLayerOrder(const std::string& text) {
    LayerOrder order;
    std::istringstream lines(text);
    std::string line;
    int layer = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || line.front() == '#') continue;
        std::istringstream words(line);
        std::string folder;
        bool any = false;
        while (words >> folder) {
            any = true;
            if (!order.layerOf.emplace(folder, layer).second) {
                order.problems.push_back("src/layers names " + folder + " twice");
            }
        }
        if (any) ++layer;
    }
    return order;
}

// The problem with including `included` from `folder` (a folder of src/), or
// nothing when the include points to the same folder or a lower layer.
std::optional<std::string> includeProblem(const LayerOrder& order, const std::string& folder,
                                          const std::string& included) {
    const std::size_t slash = included.find('/');
    if (slash == std::string::npos) return std::nullopt;  // a header of the same folder
    const std::string target = included.substr(0, slash);
    if (target == folder) return std::nullopt;
    const auto from = order.layerOf.find(folder);
    const auto to = order.layerOf.find(target);
    if (to == order.layerOf.end()) return "\"" + included + "\" names no folder of src/layers";
    if (from == order.layerOf.end()) return folder + " is not named in src/layers";
    if (to->second > from->second) {
        return "\"" + included + "\" points upwards: " + target + " is above " + folder;
    }
    if (to->second == from->second) {
        return "\"" + included + "\" points sideways: " + target + " shares a layer with " + folder;
    }
    return std::nullopt;
}

// "file:line: problem" for every include of `text` that breaks the order;
// `file` is the path under src/, its first part the folder.
std::vector<std::string> checkSourceText(const LayerOrder& order, const std::string& file,
                                         const std::string& text) {
    static const std::regex includeLine(R"(^\s*#\s*include\s*"([^"]+)\")");
    const std::string folder = file.substr(0, file.find('/'));
    std::vector<std::string> problems;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, includeLine)) continue;
        if (const auto problem = includeProblem(order, folder, match[1].str())) {
            problems.push_back("src/" + file + ":" + std::to_string(number) + ": " + *problem);
        }
    }
    return problems;
}

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The problems of the whole tree: undeclared folders and every bad include.
std::vector<std::string> checkTree(const fs::path& root) {
    const LayerOrder order = parseLayerOrder(readWhole(root / "layers"));
    std::vector<std::string> problems = order.problems;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(root)) {
        if (!entry.is_directory()) continue;
        const std::string folder = entry.path().filename().string();
        if (!order.layerOf.contains(folder)) {
            problems.push_back("src/" + folder + " is not named in src/layers");
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp")) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files) {
        const std::string file = fs::relative(path, root).generic_string();
        for (std::string& problem : checkSourceText(order, file, readWhole(path))) {
            problems.push_back(std::move(problem));
        }
    }
    return problems;
}

const char* const kOrder =
    "# lowest first\n"
    "text\n"
    "database\n"
    "verilog vhdl\n"
    "\n"
    "reports\n";

TEST(IncludeLayers, CasesOfOneInclude) {
    struct Case {
        const char* file;
        const char* source;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"reports/a.cpp", "#include \"database/records.h\"\n#include \"text/t.h\"\n", {}},
        {"reports/a.cpp", "#include \"a.h\"\n#include \"reports/b.h\"\n", {}},
        {"reports/a.cpp", "#include <vector>\n// #include \"x\" in a comment\n", {}},
        {"database/a.h",
         "#pragma once\n\n#include \"verilog/verilog_parse_state.h\"\n",
         {"src/database/a.h:3: \"verilog/verilog_parse_state.h\" points upwards: verilog is "
          "above database"}},
        {"vhdl/p.cpp",
         "  #  include \"verilog/s.h\"\n",
         {"src/vhdl/p.cpp:1: \"verilog/s.h\" points sideways: verilog shares a layer with vhdl"}},
        {"text/t.cpp",
         "#include \"console/c.h\"\n",
         {"src/text/t.cpp:1: \"console/c.h\" names no folder of src/layers"}},
        {"gui/w.cpp", "#include \"text/t.h\"\n", {"src/gui/w.cpp:1: gui is not named in src/layers"}},
    };
    const LayerOrder order = parseLayerOrder(kOrder);
    ASSERT_TRUE(order.problems.empty());
    for (const Case& c : cases) {
        EXPECT_EQ(checkSourceText(order, c.file, c.source), c.problems) << c.file << "\n" << c.source;
    }
}

TEST(IncludeLayers, FolderNamedTwiceIsReported) {
    EXPECT_EQ(parseLayerOrder("text\nplatform text\n").problems,
              std::vector<std::string>{"src/layers names text twice"});
}

TEST(IncludeLayers, SourceTreeKeepsTheOrder) {
    const std::vector<std::string> problems = checkTree(CORVANE_SOURCE_TREE);
    std::string listed;
    for (const std::string& problem : problems) listed += problem + "\n";
    EXPECT_TRUE(problems.empty()) << listed;
}

}  // namespace
