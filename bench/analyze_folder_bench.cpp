// "analyzefolder" over a generated tree of 2,000 Verilog files (about 40 MB),
// and, when yosys is installed, `yosys -p "read_verilog -defer <files>"` over
// the same files in the same run; the counters report both times and their ratio.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "console/controller.h"
#include "platform/progress_sink.h"
#include "platform/silent_ui_host.h"
#include "support/verilog_generator.h"

namespace {

constexpr int kFiles = 2000;
constexpr std::size_t kBytesPerFile = 20 * 1024;

struct GeneratedTree {
    std::filesystem::path root;
    std::vector<std::string> files;
    std::size_t bytes = 0;
};

// Ten folders of 200 files; every file holds modules of its own names.
GeneratedTree generateTree() {
    GeneratedTree tree;
    tree.root = std::filesystem::temp_directory_path() /
                ("corvane-bench-tree-" + std::to_string(getpid()));
    int nextModule = 0;
    for (int i = 0; i < kFiles; ++i) {
        const auto folder = tree.root / ("part" + std::to_string(i / 200));
        std::filesystem::create_directories(folder);
        const auto path = folder / ("file" + std::to_string(i) + ".v");
        std::string text;
        while (text.size() < kBytesPerFile) text += corvane::bench::generatedModule(nextModule++);
        std::ofstream(path, std::ios::binary) << text;
        tree.files.push_back(path.string());
        tree.bytes += text.size();
    }
    return tree;
}

double secondsOf(const std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double timeYosys(const GeneratedTree& tree) {
    if (std::system("command -v yosys >/dev/null 2>&1") != 0) return 0;
    const auto script = tree.root / "read.ys";
    {
        std::ofstream out(script);
        out << "read_verilog -defer";
        for (const std::string& file : tree.files) out << " " << file;
        out << "\n";
    }
    const auto start = std::chrono::steady_clock::now();
    const std::string command = "yosys -q -s " + script.string() + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return -1;
    return secondsOf(start);
}

void BM_AnalyzeFolderAgainstYosys(benchmark::State& state) {
    const GeneratedTree tree = generateTree();
    double corvaneSeconds = 0;
    std::size_t modules = 0;
    for (auto _ : state) {
        corvane::SilentUiHost ui;
        corvane::NullProgressSink progress;
        corvane::CMorvelDlg controller(ui, progress);
        const auto start = std::chrono::steady_clock::now();
        controller.executeCommandLine("analyzefolder," + tree.root.string());
        corvaneSeconds = secondsOf(start);
        modules = controller.modules().size();
    }
    const double yosysSeconds = timeYosys(tree);
    std::filesystem::remove_all(tree.root);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tree.bytes));
    state.counters["modules"] = static_cast<double>(modules);
    state.counters["corvane_s"] = corvaneSeconds;
    state.counters["yosys_s"] = yosysSeconds;
    state.counters["speedup"] = corvaneSeconds > 0 && yosysSeconds > 0 ? yosysSeconds / corvaneSeconds : 0;
}
BENCHMARK(BM_AnalyzeFolderAgainstYosys)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
