#include "statemachine/condition_text.h"

#include "text/text_helpers.h"

namespace corvane {

std::string branchCondition(std::string_view valueDisplay) {
    std::string text(valueDisplay);
    if (text.size() > 2) text = replaceAll(text, "$", " ");
    // Peel from both ends by index instead of erasing, so a deeply wrapped
    // text costs one pass.
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (end - begin > 1 && text[begin] == '(' && text[end - 1] == ')') {
        ++begin;
        --end;
    }
    return text.substr(begin, end - begin);
}

std::string joinConditions(const std::vector<std::string>& stack) {
    std::string joined;
    for (const std::string& entry : stack) {
        if (!joined.empty()) joined += " and ";
        joined += "(";
        joined += entry;
        joined += ")";
    }
    return joined;
}

std::string unnumberElses(std::string_view condition) {
    static constexpr std::string_view kOpen = "else[";
    std::string result;
    std::size_t pos = 0;
    while (true) {
        const std::size_t found = condition.find(kOpen, pos);
        if (found == std::string_view::npos) break;
        const std::size_t close = condition.find(']', found + kOpen.size());
        if (close == std::string_view::npos) break;
        result.append(condition.substr(pos, found - pos));
        result.append("else");
        pos = close + 1;
    }
    result.append(condition.substr(pos));
    return result;
}

std::string elsePlaceholder(int counter) {
    return "else[" + std::to_string(counter) + "]";
}

}  // namespace corvane
