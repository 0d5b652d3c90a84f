// The module header: "module name #(parameters) (port list);" in both the
// plain style (names only) and the style with directions in the list.
#include <array>
#include <string>
#include <string_view>

#include "database/text_helpers.h"
#include "verilog/declarator_split.h"
#include "verilog/port_declarations.h"

namespace corvane {

namespace {

constexpr std::array<std::string_view, 3> kDirectionWords = {"input", "output", "inout"};
constexpr std::array<std::string_view, 3> kDirectionMarkers = {"\"input\"", "\"output\"",
                                                               "\"inout\""};

// Whether `segment` is `word` alone or `word` glued to a range ("input[7:0]").
bool isWordWithRange(std::string_view segment, std::string_view word) {
    return segment.starts_with(word) &&
           (segment.size() == word.size() || segment[word.size()] == '[');
}

// One part of a header token between "(" and "," characters. A direction
// keyword becomes its quoted marker; "wire" and "reg" carry no information
// for a port and are dropped, keeping any range glued to them.
void appendHeaderSegment(std::string& header, std::string_view segment) {
    for (std::size_t direction = 0; direction < kDirectionWords.size(); ++direction) {
        const std::string_view word = kDirectionWords[direction];
        if (isWordWithRange(segment, word)) {
            header.append(kDirectionMarkers[direction]);
            header.append(segment.substr(word.size()));
            return;
        }
    }
    for (std::string_view word : {std::string_view("wire"), std::string_view("reg"),
                                  std::string_view("signed"), std::string_view("unsigned")}) {
        if (isWordWithRange(segment, word)) {
            header.append(segment.substr(word.size()));
            return;
        }
    }
    header.append(segment);
}

// Appends one token to the header text. A line marker is set off by commas
// so that it becomes a piece of its own in the port list. Keywords are also
// recognised where they are glued behind "(" or "," ("top(input").
void appendHeaderToken(std::string& header, std::string_view token) {
    if (token.starts_with("%%")) {
        header.push_back(',');
        header.append(token);
        header.push_back(',');
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (token[i] != '(' && token[i] != ',')
            continue;
        appendHeaderSegment(header, token.substr(start, i - start));
        header.push_back(token[i]);
        start = i + 1;
    }
    appendHeaderSegment(header, token.substr(start));
}

// Reads the header up to its ";". False when the text ends first.
bool readHeaderText(VerilogParseState& state, std::string& header, int& lastMarkerLine) {
    while (!header.ends_with(';')) {
        if (state.exhausted())
            return false;
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token))
            lastMarkerLine = lineMarkerNumber(token);
        appendHeaderToken(header, token);
    }
    return true;
}

// Where the search for the port list's "(" starts: after the parameter list
// "#(...)" when there is one (its matching ")", or the first ")" when the
// parentheses do not balance), else at the start.
std::size_t portListSearchStart(std::string_view header) {
    const std::size_t hash = header.find('#');
    if (hash == std::string_view::npos)
        return 0;
    const std::size_t open = header.find('(', hash);
    long depth = 0;
    for (std::size_t i = open; i < header.size(); ++i) {
        if (header[i] == '(')
            ++depth;
        if (header[i] == ')' && --depth == 0)
            return i;
    }
    return header.find(')');
}

void setModuleName(Module& module, std::string_view nameText) {
    module.displayName = std::string(nameText);
    module.name = toLowerAscii(nameText);
}

// The name text before the port list, cut before the comma that opened a
// line marker.
std::string_view moduleNameText(std::string_view header, std::size_t portListOpen) {
    const std::size_t hash = header.find('#');
    std::string_view name = header.substr(0, hash != std::string_view::npos ? hash : portListOpen);
    const std::size_t marker = name.find("%%");
    if (marker != std::string_view::npos)
        name = name.substr(0, marker > 0 ? marker - 1 : 0);
    return name;
}

// The line the port list starts on: that of the last line marker before its
// "(", so a header that puts the list on a line of its own gets its lines right.
int lineOfPortList(std::string_view header, std::size_t portListOpen, int headerLine) {
    const std::size_t marker = header.substr(0, portListOpen).rfind("%%");
    return marker == std::string_view::npos ? headerLine : lineMarkerNumber(header.substr(marker));
}

// One port of the list. `direction` carries over from the previous piece.
void parsePortPiece(VerilogParseState& state, std::string_view piece, int& direction, int line) {
    for (std::size_t d = 0; d < kDirectionMarkers.size(); ++d) {
        if (piece.starts_with(kDirectionMarkers[d])) {
            direction = static_cast<int>(d);
            piece.remove_prefix(kDirectionMarkers[d].size());
            break;
        }
    }
    int msb = -1;
    int lsb = -1;
    if (piece.starts_with('[')) {
        const BracketRange range = splitBracketRange(piece);
        if (!range.wellFormed)
            state.errorAt(line, "Multi pin syntax error.\r\n");
        msb = leadingInt(range.msbText);
        lsb = leadingInt(range.lsbText);
        piece = range.rest;
    }
    // A direction or range whose name went to the next piece (a line break
    // inside the port) declares nothing by itself.
    if (piece.empty())
        return;
    Pin pin;
    pin.name = toLowerAscii(piece);
    pin.displayName = std::string(piece);
    pin.direction = direction;
    pin.msb = msb;
    pin.lsb = lsb;
    pin.line = line;
    appendRecord(state.module.pins, std::move(pin));
}

// The text after the port list's "(", split at every ",".
void parsePortList(VerilogParseState& state, std::string_view list, bool closed, int line) {
    int direction = -1;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        if (comma == std::string_view::npos)
            break;
        const std::string_view piece = list.substr(start, comma - start);
        start = comma + 1;
        if (piece.empty())
            continue;
        if (piece.starts_with("%%")) {
            line = lineMarkerNumber(piece);
            continue;
        }
        parsePortPiece(state, piece, direction, line);
    }
    std::string_view last = list.substr(start);
    if (!closed) {
        state.errorAt(line,
                      "Parser detected the error of grammar to the termination of the pin "
                      "list.(0)\r\n");
    }
    if (last.ends_with(')'))
        last.remove_suffix(1);
    if (!last.empty() && !last.starts_with("%%"))
        parsePortPiece(state, last, direction, line);
}

}  // namespace

bool parseModuleHeader(VerilogParseState& state) {
    const int headerLine = state.currentLine;
    int lastMarkerLine = state.currentLine;
    std::string header;
    const bool complete = readHeaderText(state, header, lastMarkerLine);
    state.currentLine = lastMarkerLine;
    if (!complete) {
        state.errorAt(headerLine, "Syntax error.(1)\r\n");
        return true;
    }
    header.pop_back();
    const std::size_t open = header.find('(', portListSearchStart(header));
    if (open == std::string::npos) {
        setModuleName(state.module, header);
        return false;
    }
    setModuleName(state.module, moduleNameText(header, open));
    parsePortList(state, std::string_view(header).substr(open + 1), header.ends_with(')'),
                  lineOfPortList(header, open, headerLine));
    return false;
}

}  // namespace corvane
