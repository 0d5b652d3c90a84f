#include "site/source_page.h"

#include "platform/svg_canvas.h"
#include "site/keyword_colouring.h"
#include "site/site_page.h"

namespace corvane {

namespace {

// The runs of equal colour of one line as spans.
std::string colouredLine(std::string_view line, const int* colours) {
    std::string out;
    std::size_t start = 0;
    while (start < line.size()) {
        const int colour = colours == nullptr ? kPlainText : colours[start];
        std::size_t end = start + 1;
        while (end < line.size() && (colours == nullptr ? kPlainText : colours[end]) == colour) {
            ++end;
        }
        const std::string text = html(line.substr(start, end - start));
        if (colour == kPlainText) {
            out += text;
        } else {
            out += "<span style=\"color:" + svgColor(static_cast<Color>(colour)) + "\">" + text +
                   "</span>";
        }
        start = end;
    }
    return out;
}

}  // namespace

std::vector<std::string_view> sourceLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t feed = text.find('\n', start);
        if (feed == std::string_view::npos) feed = text.size();
        std::string_view line = text.substr(start, feed - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = feed + 1;
    }
    return lines;
}

std::string buildSourcePage(const SourcePageInput& input, const std::string& projectName) {
    std::string page = pageStart("Source - " + input.filePath, projectName, "../");
    page += "<h1>" + html(input.filePath) + "</h1>\n";
    if (!input.modules.empty()) {
        page += "<p class=\"lead\">Modules: ";
        for (std::size_t i = 0; i < input.modules.size(); ++i) {
            if (i > 0) page += ", ";
            page += "<a href=\"../modules/" + html(input.modules[i].second) + "\">" +
                    html(input.modules[i].first) + "</a>";
        }
        page += "</p>\n";
    }
    const std::vector<int> colours = input.keywords == nullptr
                                         ? std::vector<int>()
                                         : keywordColours(input.text, *input.keywords, input.vhdl);
    const std::vector<std::string_view> lines = sourceLines(input.text);
    if (lines.empty())
        page += "<p class=\"missing\">The file could not be read, or is empty.</p>\n";
    page += "<pre class=\"source\">";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const auto offset = static_cast<std::size_t>(lines[i].data() - input.text.data());
        page += "<span class=\"line\" id=\"L" + number + "\"><a class=\"ln\" href=\"#L" + number +
                "\">" + number + "</a>" +
                colouredLine(lines[i], colours.empty() ? nullptr : colours.data() + offset) +
                "</span>\n";
    }
    page += "</pre>\n";
    return page + pageEnd();
}

}  // namespace corvane
