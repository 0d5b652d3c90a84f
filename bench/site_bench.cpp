// The documentation site and the JSON export of a real design: the
// verilog-ethernet library's rtl folder (98 modules), analysed once before
// timing. Target: the whole site in under 5 s. The folder is taken from
// CORVANE_SITE_BENCH_DESIGN, else ../shared/corpus/verilog-ethernet/rtl
// beside the source tree; without it the benchmarks say so and skip.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "console/controller.h"
#include "platform/silent_ui_host.h"
#include "site/design_database_json.h"
#include "site/documentation_site.h"

namespace corvane {
namespace {

std::string designFolder() {
    if (const char* folder = std::getenv("CORVANE_SITE_BENCH_DESIGN")) return folder;
    // The build names this file by its absolute path, which leads to the tree.
    const std::filesystem::path bench = std::filesystem::path(__FILE__).parent_path();
    return (bench / "../../shared/corpus/verilog-ethernet/rtl").lexically_normal().string();
}

// The analysed design, kept for every benchmark of the run.
class Design {
public:
    static Design& instance() {
        static Design design;
        return design;
    }
    bool ready() const { return !controller_.modules().empty(); }
    const ModuleList& modules() const { return controller_.modules(); }

private:
    Design() : controller_(ui_, progress_) {
        if (std::filesystem::is_directory(designFolder())) {
            controller_.enterCommandLine("analyzefolder," + designFolder());
        }
    }
    SilentUiHost ui_;
    NullProgressSink progress_;
    CMorvelDlg controller_;
};

void BM_DocumentationSite(benchmark::State& state) {
    const Design& design = Design::instance();
    if (!design.ready()) {
        state.SkipWithError(("no design to document in " + designFolder()).c_str());
        return;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("corvane-site-bench-" + std::to_string(getpid()));
    NullProgressSink progress;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string error;
        const SiteRequest request{design.modules(), "verilog-ethernet", {}, {}, folder.string(),
                                  nullptr};
        if (!writeDocumentationSite(request, progress, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        if (item.is_regular_file()) bytes += item.file_size();
    }
    std::filesystem::remove_all(folder);
    state.counters["modules"] = static_cast<double>(design.modules().size());
    state.counters["site_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_DocumentationSite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DesignDatabaseJson(benchmark::State& state) {
    const Design& design = Design::instance();
    if (!design.ready()) {
        state.SkipWithError(("no design to export in " + designFolder()).c_str());
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) bytes = designDatabaseJson(design.modules()).size();
    state.counters["json_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_DesignDatabaseJson)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane
