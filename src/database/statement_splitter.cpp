#include "database/statement_splitter.h"

#include <string>

#include "database/token_reader.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

bool isBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

// One side of the statement: line markers removed (only when there are any,
// the usual case being none) and blanks trimmed.
std::string cleanSide(std::string_view text) {
    if (text.find("%%") != std::string_view::npos) return trimBlanks(removeLineMarkers(text));
    while (!text.empty() && isBlankOrTab(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankOrTab(text.back())) text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

int addStatement(std::vector<Statement>& statements, std::string_view text, int line,
                 const Module& module, MessageLog& log, const std::string& filePath,
                 std::string_view missingOperatorMessage) {
    // "<=" is looked for first, so that "q <= a" is not cut at its "=".
    std::size_t cut = text.find("<=");
    std::size_t width = 2;
    if (cut == std::string_view::npos) {
        cut = text.find('=');
        width = 1;
    }
    if (cut == std::string_view::npos) {
        log.logError(filePath, line, missingOperatorMessage);
        return 1;
    }
    Statement& statement = statements.emplace_back();
    statement.targetDisplay = cleanSide(text.substr(0, cut));
    statement.valueDisplay = cleanSide(text.substr(cut + width));
    statement.target = toLowerAscii(statement.targetDisplay);
    // A case marker keeps its selector without the parentheses written around it.
    std::string& value = statement.valueDisplay;
    if (statement.target == "case" && value.size() >= 2 && value.front() == '(' &&
        value.back() == ')') {
        value = value.substr(1, value.size() - 2);
    }
    statement.value = toLowerAscii(value);
    statement.line = line;
    const auto comment = module.lineComments.find(line);
    if (comment != module.lineComments.end()) statement.comment = comment->second;
    return 0;
}

}  // namespace corvane
