#include "diagnostics/log_navigation.h"

#include "text/text_helpers.h"

namespace corvane {

namespace {

std::string withoutLineEnds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n') result.push_back(c);
    }
    return result;
}

std::optional<LogNavigationTarget> fileOnly(std::string_view file) {
    return LogNavigationTarget{withoutLineEnds(file), 0};
}

}  // namespace

std::optional<LogNavigationTarget> navigationTargetOf(std::string_view logLine) {
    const std::string_view line = logLine.substr(0, kMaxNavigationLineLength);
    if (line.empty()) return std::nullopt;

    if (line.front() == '#') {
        const auto fields = splitAll(line, " : ");
        if (fields.size() <= 3) return std::nullopt;
        return LogNavigationTarget{fields[1], leadingInt(fields[2])};
    }
    if (line.starts_with("File path")) {
        const auto fields = splitAll(line, " : ");
        if (fields.size() < 2) return std::nullopt;
        return fileOnly(fields[1]);
    }
    static constexpr std::string_view kAnalyzeLine = "- analyze ";
    static constexpr std::string_view kEchoedAnalyze = ">analyze ";
    if (line.starts_with(kAnalyzeLine)) return fileOnly(line.substr(kAnalyzeLine.size()));
    const std::size_t echoed = line.find(kEchoedAnalyze);
    if (echoed != std::string_view::npos) return fileOnly(line.substr(echoed + kEchoedAnalyze.size()));
    return std::nullopt;
}

}  // namespace corvane
