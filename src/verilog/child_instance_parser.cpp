#include "verilog/child_instance_parser.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "database/token_reader.h"
#include "text/text_helpers.h"
#include "verilog/continuous_assign.h"

namespace corvane {

namespace {

constexpr std::string_view kGeneratedWirePrefix = "_tempwire";
constexpr std::string_view kOperatorCharacters = "~!&|^";
constexpr std::size_t kTypicalItemSize = 256;  // room for most items without regrowing
constexpr std::size_t kMaxReservedConnections = 1024;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// One parenthesised group read from the token stream. Tokens are glued without
// blanks; a line marker m is kept as ",m," so that a later split at commas
// isolates it.
class GroupCollector {
  public:
    explicit GroupCollector(int line) : lastLine_(line) { text_.reserve(kTypicalItemSize); }

    // Adds source text, counting the depth character by character. The group
    // is complete once the depth returns to 0 having been positive, or once a
    // piece holding "(" leaves the depth at 0 (as "u1()" or ")(" do).
    void append(std::string_view piece) {
        bool opens = false;
        for (char c : piece) {
            if (c == '(') {
                ++depth_;
                opens = true;
                positive_ = positive_ || depth_ > 0;
            } else if (c == ')') {
                --depth_;
                if (depth_ == 0 && positive_)
                    complete_ = true;
            }
        }
        if (opens && depth_ == 0)
            complete_ = true;
        text_.append(piece);
    }

    // Reads tokens until the group is complete; false when the text ends first.
    bool collect(VerilogParseState& state) {
        while (!complete_) {
            if (state.exhausted())
                return false;
            const std::string_view token = state.nextView();
            if (isLineMarkerText(token)) {
                lastLine_ = lineMarkerNumber(token);
                text_.append(",").append(token).append(",");
            } else {
                append(token);
            }
        }
        return true;
    }

    std::string takeText() { return std::move(text_); }
    int lastLine() const { return lastLine_; }

  private:
    std::string text_;
    long depth_ = 0;
    bool positive_ = false;
    bool complete_ = false;
    int lastLine_;  // line of the last marker read, or the line it started on
};

// The text before the first "(" without line markers and commas: the instance
// name, or "#" in front of a parameter override list.
std::string groupPrefix(std::string_view text, std::size_t open) {
    std::string prefix = removeLineMarkers(text.substr(0, open));
    std::erase(prefix, ',');
    return prefix;
}

// Line of the last line marker in `text`, or `fallback` when it holds none.
int lastMarkerLine(std::string_view text, int fallback) {
    const std::size_t marker = text.rfind("%%");
    return marker == std::string_view::npos ? fallback : lineMarkerNumber(text.substr(marker));
}

// Position of the ")" that closes the "(" at `open`, or npos.
std::size_t matchingClose(std::string_view text, std::size_t open) {
    long depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(')
            ++depth;
        if (text[i] == ')' && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

// Named overrides ".NAME(value)" of a "#( ... )" list; positional ones are
// not kept because the child's parameter order is unknown here.
void addOverride(Child& child, std::string_view piece) {
    if (piece.size() <= 4 || piece.front() != '.' || piece.back() != ')')
        return;
    const std::size_t open = piece.find('(');
    if (open == std::string_view::npos)
        return;
    const std::size_t close = piece.find(')', open);
    ParamOverride entry;
    entry.displayName = std::string(piece.substr(1, open - 1));
    entry.name = toLowerAscii(entry.displayName);
    entry.value = std::string(piece.substr(open + 1, close - open - 1));
    child.overrides.push_back(std::move(entry));
}

// The pieces are cut at the commas outside quotes, as views of the text.
void addOverrides(Child& child, std::string_view overrideText) {
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < overrideText.size(); ++i) {
        const char c = overrideText[i];
        if (c == '"') inQuotes = !inQuotes;
        if (c == ',' && !inQuotes) {
            addOverride(child, overrideText.substr(start, i - start));
            start = i + 1;
        }
    }
    addOverride(child, overrideText.substr(start));
}

// What follows an instance's pin list: the ";" that ends the item, or a ","
// before another instance of the same module.
enum class AfterInstance { kEnd, kNextInstance, kNothing };

// A ";" or "," written as a token of its own after the pin list; anything
// else is left for the module parser.
AfterInstance consumeSeparateSeparator(VerilogParseState& state, int& lastLine) {
    const int savedPos = state.module.readPos;
    const int savedRead = state.module.tokensRead;
    int line = lastLine;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (!isLineMarkerText(token)) {
            if (token == ";" || token == ",") {
                lastLine = line;
                return token == ";" ? AfterInstance::kEnd : AfterInstance::kNextInstance;
            }
            break;
        }
        line = lineMarkerNumber(token);
    }
    state.module.readPos = savedPos;
    state.module.tokensRead = savedRead;
    return AfterInstance::kNothing;
}

// Removes the separator that ends an instance's text, or reads one written
// apart.
AfterInstance takeSeparator(VerilogParseState& state, std::string& text, int& lastLine) {
    if (text.ends_with(';')) {
        text.pop_back();
        return AfterInstance::kEnd;
    }
    // ")," ends an instance that another one follows.
    if (text.ends_with("),")) {
        text.pop_back();
        return AfterInstance::kNextInstance;
    }
    return consumeSeparateSeparator(state, lastLine);
}

// A gate's drive strength "(strong0, weak1)" written before its instance.
bool isDriveStrength(std::string_view group) {
    if (!group.starts_with('(') || !group.ends_with(')')) return false;
    group = group.substr(1, group.size() - 2);
    static constexpr std::string_view kStrengths[] = {
        "supply0", "strong0", "pull0", "weak0", "highz0",
        "supply1", "strong1", "pull1", "weak1", "highz1"};
    std::size_t start = 0;
    while (start <= group.size()) {
        std::size_t comma = group.find(',', start);
        if (comma == std::string_view::npos) comma = group.size();
        const std::string_view piece = group.substr(start, comma - start);
        if (std::find(std::begin(kStrengths), std::end(kStrengths), piece) == std::end(kStrengths)) {
            return false;
        }
        start = comma + 1;
    }
    return true;
}

// A gate delay without parentheses ("#1", "# 1", "#tpd") before the
// instance is read past; "#(...)" is left for the override list.
void skipPlainDelay(VerilogParseState& state) {
    const int savedPos = state.module.readPos;
    const int savedRead = state.module.tokensRead;
    std::string_view token;
    do {
        if (state.exhausted()) break;
        token = state.nextView();
    } while (isLineMarkerText(token));
    if (token.starts_with('#') && token.size() > 1 && token[1] != '(') return;
    if (token == "#" && !state.exhausted()) {
        const std::string_view value = state.nextView();
        if (!value.starts_with('(') && !isLineMarkerText(value)) return;
    }
    state.module.readPos = savedPos;
    state.module.tokensRead = savedRead;
}

// Removes the ",m," wrappers of line markers that stayed inside a piece
// because they stood within curly braces, giving back the source commas.
std::string withoutEmbeddedLineMarkers(std::string_view text) {
    if (text.find("%%") == std::string_view::npos)
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ',' && text.substr(i + 1, 2) == "%%") {
            std::size_t end = i + 3;
            while (end < text.size() && isDigit(text[end])) ++end;
            if (end < text.size() && text[end] == ',') {
                i = end + 1;
                continue;
            }
        }
        result.push_back(text[i++]);
    }
    return result;
}

// The signal a concatenation stands for: its first operand that does not begin
// with a digit (constants such as 4'b0 are skipped), else the whole text.
std::string concatenationOperand(std::string_view signal) {
    std::string text(signal);
    std::erase(text, '{');
    std::erase(text, '}');
    for (const std::string& operand : splitAll(text, ",")) {
        if (operand.empty() || !isDigit(operand.front()))
            return operand;
    }
    return text;
}

// An expression connected to a port gets a wire of its own, driven by a new
// continuous assignment at `line`, so that the connection names one net. A
// second expression on the same line shares the wire.
std::string generatedWire(VerilogParseState& state, std::string_view expression, int line) {
    const std::string name = std::string(kGeneratedWirePrefix) + std::to_string(line);
    std::vector<Wire>& wires = state.module.wires;
    if (wires.empty() || wires.back().name != name) {
        Wire wire;
        wire.name = name;
        wire.displayName = name;
        wire.line = line;
        wires.push_back(std::move(wire));
    }
    std::string piece = name + "=" + std::string(expression);
    std::erase(piece, ' ');
    const int savedLine = state.currentLine;
    state.currentLine = line;
    addAssignPiece(state, piece);
    state.currentLine = savedLine;
    return name;
}

std::string connectedSignal(VerilogParseState& state, std::string_view signal, int line) {
    // A call such as "f(b, c)" is an expression, not a concatenation.
    const bool call = signal.find('(') != std::string_view::npos && !signal.starts_with('{');
    if (call)
        return generatedWire(state, signal, line);
    if (signal.find(',') != std::string_view::npos)
        return concatenationOperand(signal);
    if (signal.find_first_of(kOperatorCharacters) != std::string_view::npos) {
        return generatedWire(state, signal, line);
    }
    return std::string(signal);
}

// Walks the pieces of one connection list, keeping the line of the piece.
struct ConnectionWalk {
    VerilogParseState& state;
    Child& child;
    int itemLine;  // where messages go
    int line;      // line of the piece being read
};

void addConnectionPiece(ConnectionWalk& walk, std::string_view piece) {
    if (piece.starts_with("%%")) {
        walk.line = lineMarkerNumber(piece);
        return;
    }
    if (piece.empty())
        return;
    std::optional<ParsedConnection> parsed = parseConnection(walk.state, piece, walk.line);
    if (!parsed) {
        walk.state.errorAt(walk.itemLine,
                           "Parser detected the error of grammar to the pin list.\r\n");
        return;
    }
    Connection connection;
    connection.port = toLowerAscii(parsed->port);
    connection.portDisplay = std::move(parsed->port);
    connection.signal = toLowerAscii(parsed->signal);
    connection.signalDisplay = std::move(parsed->signal);
    walk.child.connections.push_back(std::move(connection));
}

// Number of connection pieces in a list: its commas, less the two that wrap
// each line marker. Only sizes the connection list, so it is capped: a list
// of empty pieces must not reserve far more memory than its text takes.
std::size_t estimatedPieceCount(std::string_view list) {
    const auto commas = static_cast<std::size_t>(std::count(list.begin(), list.end(), ','));
    std::size_t markers = 0;
    for (std::size_t at = list.find("%%"); at != std::string_view::npos;
         at = list.find("%%", at + 2)) {
        ++markers;
    }
    const std::size_t pieces = commas + 1 > 2 * markers ? commas + 1 - 2 * markers : 1;
    return std::min(pieces, kMaxReservedConnections);
}

// Splits the text after the pin list's "(" at the commas outside curly braces
// and outside parentheses (the depth counted afresh in each piece), so that
// ".a(f(b, c))" stays one connection; the last piece carries the closing ")".
void addConnections(ConnectionWalk& walk, std::string_view list) {
    walk.child.connections.reserve(estimatedPieceCount(list));
    std::size_t start = 0;
    long depth = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == '{' || list[i] == '(')
            ++depth;
        if (list[i] == '}' || list[i] == ')')
            --depth;
        if (list[i] == ',' && depth <= 0) {
            addConnectionPiece(walk, list.substr(start, i - start));
            start = i + 1;
            depth = 0;
        }
    }
    std::string_view last = list.substr(start);
    if (last.ends_with(')')) {
        last.remove_suffix(1);
    } else {
        walk.state.errorAt(walk.itemLine,
                           "Parser detected the error of grammar to the termination of the pin "
                           "list.(1)\r\n");
    }
    if (!last.empty() && !last.starts_with("%%"))
        addConnectionPiece(walk, last);
}

bool dropItem(VerilogParseState& state, int itemLine, int lastLine, std::string_view message) {
    state.errorAt(itemLine, message);
    state.currentLine = lastLine;
    return true;
}

}  // namespace

std::optional<ParsedConnection> parseConnection(VerilogParseState& state, std::string_view piece,
                                                int line) {
    ParsedConnection result;
    std::string_view signal = piece;
    if (piece.starts_with('.')) {
        piece.remove_prefix(1);
        const std::size_t open = piece.find('(');
        if (open == std::string_view::npos || !piece.ends_with(')'))
            return std::nullopt;
        result.port = std::string(piece.substr(0, open));
        signal = piece.substr(open + 1, piece.size() - open - 2);
    }
    result.signal = connectedSignal(state, withoutEmbeddedLineMarkers(signal), line);
    return result;
}

namespace {

// The text of one instance: its name and pin list as collected.
struct InstanceText {
    std::string text;
    std::size_t open = 0;      // position of the pin list's "("
    std::string name;          // the text before it
    int listLine = 0;          // line of the last marker before the "("
};

// Takes the collected group as an instance; false when it has no "(".
bool takeInstance(GroupCollector& group, int fallbackLine, InstanceText& instance) {
    instance.text = group.takeText();
    instance.open = instance.text.find('(');
    if (instance.open == std::string::npos) return false;
    instance.name = groupPrefix(instance.text, instance.open);
    instance.listLine =
        lastMarkerLine(std::string_view(instance.text).substr(0, instance.open), fallbackLine);
    return true;
}

void appendChild(VerilogParseState& state, const std::string& moduleName,
                 const InstanceText& instance, const std::string* overrideText, int itemLine) {
    Child child;
    child.moduleName = toLowerAscii(moduleName);
    child.moduleDisplayName = moduleName;
    child.name = toLowerAscii(instance.name);
    child.displayName = instance.name;
    child.line = itemLine;
    if (overrideText != nullptr) addOverrides(child, *overrideText);
    ConnectionWalk walk{state, child, itemLine, instance.listLine};
    addConnections(walk, std::string_view(instance.text).substr(instance.open + 1));
    state.module.children.push_back(std::move(child));
}

}  // namespace

bool parseChildInstance(VerilogParseState& state, const std::string& moduleNameToken) {
    const int itemLine = state.currentLine;
    // A name glued to its override or pin list ("sub#(8)", "sub(a);") is cut
    // there, so that the rest starts the group instead of swallowing the
    // next item.
    const std::size_t cut = moduleNameToken.find_first_of("#(");
    const std::string moduleName = moduleNameToken.substr(0, cut);
    if (cut == std::string::npos) skipPlainDelay(state);
    GroupCollector first(itemLine);
    if (cut != std::string::npos)
        first.append(std::string_view(moduleNameToken).substr(cut));
    if (!first.collect(state)) {
        return dropItem(state, itemLine, first.lastLine(), "Syntax error.(2)\r\n");
    }
    int lastLine = first.lastLine();
    InstanceText instance;
    if (!takeInstance(first, itemLine, instance)) {
        return dropItem(state, itemLine, lastLine, "There is no pin list.\r\n");
    }
    if (instance.name.empty() && isDriveStrength(withoutEmbeddedLineMarkers(instance.text))) {
        // "buf (strong0, weak1) b1 (y, a);": the instance follows the strength.
        skipPlainDelay(state);
        GroupCollector afterStrength(lastLine);
        if (!afterStrength.collect(state)) {
            return dropItem(state, itemLine, afterStrength.lastLine(), "Syntax error.(2)\r\n");
        }
        lastLine = afterStrength.lastLine();
        if (!takeInstance(afterStrength, lastLine, instance)) {
            return dropItem(state, itemLine, lastLine, "There is no pin list.\r\n");
        }
    }

    bool hasOverrides = false;
    std::string overrideText;
    if (instance.name == "#") {
        // "#( ... )" overrides; whatever follows its ")" starts the instance.
        hasOverrides = true;
        const std::string& text = instance.text;
        const std::size_t close = matchingClose(text, instance.open);
        const std::size_t end = close == std::string::npos ? text.size() : close;
        overrideText = text.substr(instance.open + 1, end - instance.open - 1);
        GroupCollector second(lastLine);
        if (close != std::string::npos)
            second.append(std::string_view(text).substr(close + 1));
        if (!second.collect(state)) {
            return dropItem(state, itemLine, second.lastLine(), "Syntax error.(3)\r\n");
        }
        if (!takeInstance(second, lastLine, instance)) {
            return dropItem(state, itemLine, second.lastLine(), "There is no pin list.\r\n");
        }
        lastLine = second.lastLine();
    }

    // "not n1 (y, a), n2 (z, b);": every instance of the item gets a child.
    while (true) {
        const AfterInstance after = takeSeparator(state, instance.text, lastLine);
        appendChild(state, moduleName, instance, hasOverrides ? &overrideText : nullptr, itemLine);
        if (after != AfterInstance::kNextInstance) break;
        GroupCollector next(lastLine);
        if (!next.collect(state)) {
            return dropItem(state, itemLine, next.lastLine(), "Syntax error.(2)\r\n");
        }
        lastLine = next.lastLine();
        if (!takeInstance(next, lastLine, instance)) {
            return dropItem(state, itemLine, lastLine, "There is no pin list.\r\n");
        }
    }
    state.currentLine = lastLine;
    return false;
}

}  // namespace corvane
