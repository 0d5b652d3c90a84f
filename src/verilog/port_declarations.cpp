// Port direction declarations of the module body ("input [7:0] a, b;",
// "output reg q;"), which give the header's ports their direction and range.
#include "verilog/port_declarations.h"

#include <string>
#include <string_view>

#include "text/text_helpers.h"
#include "verilog/continuous_assign.h"
#include "verilog/declarator_split.h"

namespace corvane {

namespace {

enum class PortKind { kPlain, kWire, kReg };

// "wire" or "reg" alone, or glued to its range; a port name that merely
// begins with the word ("reg_en") is not the keyword.
bool isNetKeyword(std::string_view token, std::string_view word) {
    return token.starts_with(word) && (token.size() == word.size() || token[word.size()] == '[');
}

// The net types other than "wire" that a port may be declared with; such a
// port is recorded as a wire, as "wire" ports are.
bool isOtherNetType(std::string_view token) {
    static constexpr std::string_view kNetTypes[] = {"tri",   "tri0",   "tri1",  "wand",
                                                      "wor",   "triand", "trior", "trireg",
                                                      "uwire", "supply0", "supply1"};
    for (std::string_view word : kNetTypes) {
        if (isNetKeyword(token, word))
            return true;
    }
    return false;
}

// Removes the net kind word at the start of `first` and says which it was:
// "wire" and the other net types, "reg", or "integer", which declares a
// 32-bit variable.
PortKind takeNetKind(std::string& first) {
    if (first.empty() || first.front() < 'i')
        return PortKind::kPlain;
    if (isNetKeyword(first, "wire")) {
        first.erase(0, 4);
        return PortKind::kWire;
    }
    if (isNetKeyword(first, "reg")) {
        first.erase(0, 3);
        return PortKind::kReg;
    }
    if (first == "integer") {
        first = "[31:0]";
        return PortKind::kReg;
    }
    if (isOtherNetType(first)) {
        first.erase(0, first.find('[') == std::string::npos ? first.size() : first.find('['));
        return PortKind::kWire;
    }
    return PortKind::kPlain;
}

// Reads the declaration text. The first token may name the net kind of the
// port ("output reg [7:0] q;"); the word is removed and the kind remembered.
bool readPortDeclaration(DeclarationReader& reader, std::string& text, PortKind& kind) {
    std::string first;
    if (!text.ends_with(';') && reader.nextSourceToken(first)) {
        kind = takeNetKind(first);
        if (!isSignednessKeyword(first)) text += first;
    }
    return reader.glueUntilSemicolon(text);
}

template <typename Record>
Record netRecord(std::string_view name, int msb, int lsb, int line) {
    Record record;
    record.name = toLowerAscii(name);
    record.displayName = std::string(name);
    record.msb = msb;
    record.lsb = lsb;
    record.line = line;
    return record;
}

// A module whose header lists its ports as "(...)" gets a port for every
// name its body declares with a direction.
void addListedPin(Module& module, std::string_view name, int line) {
    const std::string key = toLowerAscii(name);
    for (const Pin& pin : module.pins) {
        if (pin.name == key)
            return;
    }
    Pin pin;
    pin.name = key;
    pin.displayName = std::string(name);
    pin.line = line;
    appendRecord(module.pins, std::move(pin));
}

// The position of the pin `name` (compared lower-cased), or the number of pins.
std::size_t pinIndex(const Module& module, std::string_view name) {
    const std::string key = toLowerAscii(name);
    std::size_t index = 0;
    while (index < module.pins.size() && module.pins[index].name != key) ++index;
    return index;
}

// Declares every name of "names" (the text after the range); stops at the
// first name that is not a port of the header.
int declarePorts(VerilogParseState& state, std::string_view names, int direction,
                 const PortRange& range,
                 const BracketRange& texts, bool ranged, PortKind kind, int line) {
    const int msb = range.msb;
    const int lsb = range.lsb;
    for (const std::string_view piece : splitDeclarators(names)) {
        // "output q = a & b;" also assigns the net; a variable's initial
        // value ("output reg q = 0;") is dropped.
        const std::size_t equals = piece.find('=');
        const std::string name(piece.substr(0, equals));
        if (state.openPortList && !name.empty())
            addListedPin(state.module, name, line);
        if (findPinAndDeclare(state.module, name, direction, msb, lsb, line) != 0) {
            state.errorAt(
                line, "\"" + name + "\" is illegal pin name.(" + (ranged ? "1" : "0") + ")\r\n");
            return 1;
        }
        if (!range.evaluated || !state.deferredPinRanges.empty()) {
            notePinRange(state, pinIndex(state.module, name), texts.msbText, texts.lsbText,
                         range.evaluated);
        }
        if (kind == PortKind::kWire)
            appendRecord(state.module.wires, netRecord<Wire>(name, msb, lsb, line));
        if (kind == PortKind::kReg)
            appendRecord(state.module.regs, netRecord<Reg>(name, msb, lsb, line));
        if (equals != std::string_view::npos && kind != PortKind::kReg)
            addAssignPiece(state, piece);
    }
    return 0;
}

}  // namespace

int findPinAndDeclare(Module& module, std::string_view name, int direction, int msb, int lsb,
                      int line) {
    const std::string key = toLowerAscii(name);
    for (Pin& pin : module.pins) {
        if (pin.name != key)
            continue;
        pin.direction = direction;
        pin.msb = msb;
        pin.lsb = lsb;
        const auto comment = module.lineComments.find(line);
        if (comment != module.lineComments.end())
            pin.comment = comment->second;
        return 0;
    }
    return 1;
}

int parsePortDeclaration(VerilogParseState& state, int direction, const std::string& rangeText) {
    const int line = state.currentLine;
    DeclarationReader reader(state);
    std::string text = rangeText;
    PortKind kind = PortKind::kPlain;
    const bool complete = readPortDeclaration(reader, text, kind);
    state.currentLine = reader.lastLine();
    if (!complete) {
        state.errorAt(line, "';' not exist.(0)\r\n");
        return 1;
    }
    text.pop_back();
    std::string_view names = text;
    PortRange range;
    BracketRange texts;
    const bool ranged = names.starts_with('[');
    if (ranged) {
        texts = splitBracketRange(names);
        if (!texts.wellFormed)
            state.errorAt(line, "Multi pin syntax error.\r\n");
        range = evaluatePortRange(texts.msbText, texts.lsbText, state.parameterValues);
        names = texts.rest;
    }
    return declarePorts(state, names, direction, range, texts, ranged, kind, line);
}

}  // namespace corvane
