// The module header: "module name #(parameters) (port list);" in both the
// plain style (names only) and the style with directions in the list.
#include <array>
#include <string>
#include <string_view>

#include "text/text_helpers.h"
#include "verilog/declarator_split.h"
#include "verilog/parameter_parser.h"
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

// Net types and data types that may follow a direction in the list; they
// name nothing and are dropped, keeping any range glued to them.
constexpr std::array<std::string_view, 17> kPortTypeWords = {
    "wire",   "reg",   "signed", "unsigned", "tri",    "tri0",    "tri1",    "wand", "wor",
    "triand", "trior", "trireg", "uwire",    "supply0", "supply1", "logic", "var"};

// One part of a header token between "(" and "," characters. A direction
// keyword becomes its quoted marker; the type words carry no information
// for a port and are dropped, keeping any range glued to them; "integer"
// and "time" stand for the ranges they declare.
void appendHeaderSegment(std::string& header, std::string_view segment) {
    for (std::size_t direction = 0; direction < kDirectionWords.size(); ++direction) {
        const std::string_view word = kDirectionWords[direction];
        if (isWordWithRange(segment, word)) {
            header.append(kDirectionMarkers[direction]);
            header.append(segment.substr(word.size()));
            return;
        }
    }
    // Port names are the common case: only a word of a type's length and
    // first letter is compared further.
    const std::string_view word = segment.substr(0, segment.find('['));
    if (word.size() < 3 || word.size() > 8 || word.front() < 'i') {
        header.append(segment);
        return;
    }
    for (std::string_view type : kPortTypeWords) {
        if (type.size() == word.size() && type.front() == word.front() && type == word) {
            header.append(segment.substr(word.size()));
            return;
        }
    }
    if (segment == "integer")
        header.append("[31:0]");
    else if (segment == "time")
        header.append("[63:0]");
    else
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

// Reads the header up to its ";". False when the text ends first. The
// tokens of a header with a parameter list are also kept apart by blanks in
// `words`, where the parameters' keywords and types stay words of their own.
bool readHeaderText(VerilogParseState& state, std::string& header, std::string& words,
                    int& lastMarkerLine) {
    bool parameterList = false;
    // Only the words up to the ")" that balances the first "(" after the "#"
    // are read from `words` (see parameterListOf): once that ")" is in, the
    // port list's tokens are not copied there.
    bool wordsComplete = false;
    long depth = 0;
    bool opened = false;
    while (!header.ends_with(';')) {
        if (state.exhausted())
            return false;
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            lastMarkerLine = lineMarkerNumber(token);
        } else if (!wordsComplete) {
            std::size_t from = 0;
            if (!parameterList) {
                const std::size_t hash = token.find('#');
                parameterList = hash != std::string_view::npos;
                from = hash + 1;
            }
            if (parameterList) {
                words.append(token);
                words.push_back(' ');
                for (std::size_t i = from; i < token.size() && !wordsComplete; ++i) {
                    if (token[i] == '(') {
                        ++depth;
                        opened = true;
                    } else if (token[i] == ')' && opened && --depth == 0) {
                        wordsComplete = true;
                    }
                }
            }
        }
        appendHeaderToken(header, token);
    }
    return true;
}

// The text between the parentheses of the parameter list "#( ... )" in the
// header's words, or "" when there is none.
std::string_view parameterListOf(std::string_view words) {
    const std::size_t hash = words.find('#');
    if (hash == std::string_view::npos)
        return {};
    std::size_t open = hash + 1;
    while (open < words.size() && words[open] == ' ') ++open;
    if (open >= words.size() || words[open] != '(')
        return {};
    long depth = 0;
    for (std::size_t i = open; i < words.size(); ++i) {
        if (words[i] == '(')
            ++depth;
        if (words[i] == ')' && --depth == 0)
            return words.substr(open + 1, i - open - 1);
    }
    return {};
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

// What a port of the list takes over from the piece before it: the
// direction, and the range that came with that direction ("input [7:0] a,
// b" declares two ranged inputs).
struct PortListCarry {
    int direction = -1;
    std::string_view msbText;
    std::string_view lsbText;
    PortRange range;
};

// One port of the list.
void parsePortPiece(VerilogParseState& state, std::string_view piece, PortListCarry& carry,
                    int line) {
    bool directed = false;
    for (std::size_t d = 0; d < kDirectionMarkers.size(); ++d) {
        if (piece.starts_with(kDirectionMarkers[d])) {
            carry = PortListCarry{};
            carry.direction = static_cast<int>(d);
            piece.remove_prefix(kDirectionMarkers[d].size());
            directed = true;
            break;
        }
    }
    if (piece.starts_with('[')) {
        const BracketRange range = splitBracketRange(piece);
        if (!range.wellFormed)
            state.errorAt(line, "Multi pin syntax error.\r\n");
        carry.msbText = range.msbText;
        carry.lsbText = range.lsbText;
        carry.range = evaluatePortRange(range.msbText, range.lsbText, state.parameterValues);
        piece = range.rest;
    } else if (!directed && carry.direction == -1) {
        carry.range = PortRange{};
    }
    // The initial value of a variable port ("output reg q = 1'b0") is dropped.
    piece = piece.substr(0, piece.find('='));
    // A direction or range whose name went to the next piece (a line break
    // inside the port) declares nothing by itself.
    if (piece.empty())
        return;
    Pin pin;
    pin.name = toLowerAscii(piece);
    pin.displayName = std::string(piece);
    pin.direction = carry.direction;
    pin.msb = carry.range.msb;
    pin.lsb = carry.range.lsb;
    pin.line = line;
    appendRecord(state.module.pins, std::move(pin));
    notePinRange(state, state.module.pins.size() - 1, carry.msbText, carry.lsbText,
                 carry.range.evaluated);
}

// The text after the port list's "(", split at every ",".
void parsePortList(VerilogParseState& state, std::string_view list, bool closed, int line) {
    PortListCarry carry;
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
        parsePortPiece(state, piece, carry, line);
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
        parsePortPiece(state, last, carry, line);
}

}  // namespace

bool parseModuleHeader(VerilogParseState& state) {
    const int headerLine = state.currentLine;
    int lastMarkerLine = state.currentLine;
    std::string header;
    std::string words;
    const bool complete = readHeaderText(state, header, words, lastMarkerLine);
    state.currentLine = lastMarkerLine;
    if (!complete) {
        state.errorAt(headerLine, "Syntax error.(1)\r\n");
        return true;
    }
    header.pop_back();
    if (!words.empty())
        evaluateHeaderParameters(state, parameterListOf(words));
    const std::size_t open = header.find('(', portListSearchStart(header));
    if (open == std::string::npos) {
        setModuleName(state.module, header);
        return false;
    }
    setModuleName(state.module, moduleNameText(header, open));
    if (std::string_view(header).substr(open) == "(...)") {
        state.openPortList = true;
        return false;
    }
    parsePortList(state, std::string_view(header).substr(open + 1), header.ends_with(')'),
                  lineOfPortList(header, open, headerLine));
    return false;
}

}  // namespace corvane
