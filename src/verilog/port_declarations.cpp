// Port direction declarations of the module body ("input [7:0] a, b;",
// "output reg q;"), which give the header's ports their direction and range.
#include "verilog/port_declarations.h"

#include <string>
#include <string_view>

#include "database/text_helpers.h"
#include "verilog/declarator_split.h"

namespace corvane {

namespace {

enum class PortKind { kPlain, kWire, kReg };

// "wire" or "reg" alone, or glued to its range; a port name that merely
// begins with the word ("reg_en") is not the keyword.
bool isNetKeyword(std::string_view token, std::string_view word) {
    return token.starts_with(word) && (token.size() == word.size() || token[word.size()] == '[');
}

// Reads the declaration text. The first token may name the net kind of the
// port ("output reg [7:0] q;"); the word is removed and the kind remembered.
bool readPortDeclaration(DeclarationReader& reader, std::string& text, PortKind& kind) {
    std::string first;
    if (!text.ends_with(';') && reader.nextSourceToken(first)) {
        if (isNetKeyword(first, "wire")) {
            kind = PortKind::kWire;
            first.erase(0, 4);
        } else if (isNetKeyword(first, "reg")) {
            kind = PortKind::kReg;
            first.erase(0, 3);
        }
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

// Declares every name of "names" (the text after the range); stops at the
// first name that is not a port of the header.
int declarePorts(VerilogParseState& state, std::string_view names, int direction, int msb, int lsb,
                 bool ranged, PortKind kind, int line) {
    for (const std::string& name : splitAll(names, ",")) {
        if (findPinAndDeclare(state.module, name, direction, msb, lsb, line) != 0) {
            state.errorAt(
                line, "\"" + name + "\" is illegal pin name.(" + (ranged ? "1" : "0") + ")\r\n");
            return 1;
        }
        if (kind == PortKind::kWire)
            appendRecord(state.module.wires, netRecord<Wire>(name, msb, lsb, line));
        if (kind == PortKind::kReg)
            appendRecord(state.module.regs, netRecord<Reg>(name, msb, lsb, line));
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
    int msb = -1;
    int lsb = -1;
    const bool ranged = names.starts_with('[');
    if (ranged) {
        const BracketRange range = splitBracketRange(names);
        if (!range.wellFormed)
            state.errorAt(line, "Multi pin syntax error.\r\n");
        msb = leadingInt(range.msbText);
        lsb = leadingInt(range.lsbText);
        names = range.rest;
    }
    return declarePorts(state, names, direction, msb, lsb, ranged, kind, line);
}

}  // namespace corvane
