// Arbitrary bytes preprocessed as a Verilog file: the result keeps one line
// per source line (plus the lines of included text) and stays within the
// expansion bound, whatever directives, macro uses, includes (of the file
// itself too) and comments the bytes hold.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "database/source_file_reader.h"
#include "database/verilog_preprocessor.h"

namespace {

std::size_t lineCount(std::string_view text) {
    if (text.empty()) return 0;
    const auto breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return breaks + (text.back() == '\n' ? 0 : 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Written to a file so that an "`include" of the file's own name finds it.
    const std::string path = "/tmp/corvane-fuzz-pp-" + std::to_string(getpid()) + ".v";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    const std::string text = corvane::readSourceFile(path);
    const corvane::PreprocessedVerilog result = corvane::preprocessVerilog(text, path);
    std::remove(path.c_str());
    // Lines of included text are extra lines numbered with their include's line.
    const std::vector<int>& numbers = result.lineNumbers;
    if (numbers.empty() && lineCount(result.text) != lineCount(text)) __builtin_trap();
    if (!numbers.empty()) {
        if (numbers.size() != lineCount(result.text)) __builtin_trap();
        if (!std::is_sorted(numbers.begin(), numbers.end())) __builtin_trap();
        if (static_cast<std::size_t>(numbers.back()) != lineCount(text)) __builtin_trap();
    }
    if (result.text.size() > (std::size_t{160} << 20) + 20 * text.size()) __builtin_trap();
    return 0;
}
