#include "verilog/statement_splitter.h"

#include <string>

#include "database/text_helpers.h"
#include "verilog/verilog_parse_state.h"

namespace corvane {

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
    std::string target = trimBlanks(removeLineMarkers(text.substr(0, cut)));
    std::string value = trimBlanks(removeLineMarkers(text.substr(cut + width)));
    std::string lowerTarget = toLowerAscii(target);
    // A case marker keeps its selector without the parentheses written around it.
    if (lowerTarget == "case" && value.size() >= 2 && value.front() == '(' && value.back() == ')') {
        value = value.substr(1, value.size() - 2);
    }
    Statement statement;
    statement.target = std::move(lowerTarget);
    statement.targetDisplay = std::move(target);
    statement.value = toLowerAscii(value);
    statement.valueDisplay = std::move(value);
    statement.line = line;
    const auto comment = module.lineComments.find(line);
    if (comment != module.lineComments.end()) statement.comment = comment->second;
    statements.push_back(std::move(statement));
    return 0;
}

}  // namespace corvane
