// The design database: plain value records of analysed modules.
//
// Records own their strings and containers and refer to each other only by
// name or by position in a container; nothing points into the database.
// Every named record carries `name` (lower-cased, the key of every
// comparison) and `displayName` (as written in the source).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvane {

// Terminal kinds; the same numbers identify objects in the schematic.
enum TerminalKind : int {
    kKindPin = 0,
    kKindWire = 1,
    kKindReg = 2,
    kKindAssign = 3,
    kKindAlways = 4,
    kKindChild = 5,
    kKindInitial = 6,
};

// Highest terminal kind the connection checks may use; larger ones are dropped.
inline constexpr int kMaxTerminalKind = 25;

enum Language : int { kVerilog = 0, kVhdl = 1 };

// One token of an expression, produced by the tokenizers after a module is parsed.
struct FormulaToken {
    std::string text = "<c/none>";         // operand (lower-cased) or operator text
    std::string displayText = "<c/none>";  // operand as written
    int op = -1;                            // index in the operator table; -1 operand
    int strength = 0;                       // 0 operand; priority + bracket weight; -1 bracket
    int line = 0;
};

// A port of a module, or of a schematic block.
struct Pin {
    std::string name;
    std::string displayName;
    int direction = -1;  // -1 undeclared, 0 input, 1 output, 2 inout
    int msb = -1;
    int lsb = -1;
    std::string comment;
    int line = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

struct Wire {
    std::string name;
    std::string displayName;
    int msb = -1;
    int lsb = -1;
    std::string comment;
    int line = 0;
};

struct Reg {
    std::string name;
    std::string displayName;
    int msb = -1;
    int lsb = -1;
    std::string comment;
    int line = 0;
};

// One continuous assignment of an expression to a target.
struct Assign {
    std::string name;         // target text, lower-cased (may hold a select or a concatenation)
    std::string displayName;  // target text as written
    std::string expression;   // right side without line markers
    std::vector<FormulaToken> rhsTokens;
    std::vector<FormulaToken> lhsTokens;
    std::string comment;
    int line = 0;
    std::vector<Pin> ports;
    int x = 0, y = 0, width = 0, height = 0;
};

struct Connection {
    std::string port;         // formal port name; empty for a positional connection
    std::string portDisplay;
    std::string signal;       // actual expression text
    std::string signalDisplay;
    int flags = 0;
};

struct ParamOverride {
    std::string name;
    std::string displayName;
    std::string value;
};

// One instance of a module inside another.
struct Child {
    std::string moduleName;
    std::string moduleDisplayName;
    std::string name;
    std::string displayName;
    std::vector<Connection> connections;
    std::vector<ParamOverride> overrides;
    int line = 0;
    std::vector<Pin> ports;
    int x = 0, y = 0, width = 0, height = 0;
    int viewParam = 0;
};

struct Sensitivity {
    std::string name = "<s/none>";
    std::string displayName = "<s/none>";
    int edge = -1;  // 0 rising, 1 falling, -1 level
};

// One element of the flat statement stream of an always block or process.
// For a control marker, `target` is one of "if", "elif", "else", "case",
// "when", "for", "begin", "end" and `value` holds its expression.
struct Statement {
    std::string target;
    std::string targetDisplay;
    std::string value;
    std::string valueDisplay;
    std::vector<FormulaToken> valueTokens;
    std::vector<FormulaToken> targetTokens;
    int line = 0;
    std::string comment;
};

// A Verilog always block or a VHDL process.
struct Always {
    std::vector<Sensitivity> sensitivity;
    int line = 0;  // line of the keyword; the block's identity in saved files
    std::vector<Statement> statements;
    std::vector<Pin> ports;
    int x = 0, y = 0, width = 0, height = 0;
};

struct Initial {
    int line = 0;
    std::vector<Statement> statements;  // kept empty: initial bodies are skipped
    std::vector<Pin> ports;
    int x = 0, y = 0, width = 0, height = 0;
};

// A VHDL record or array type; a record type has range 0, 0.
struct VhdlType {
    std::string name;
    int msb = 0;
    int lsb = 0;
};

// One declaration or use of a net.
struct Terminal {
    int kind = 0;
    int index = 0;
    int portIndex = -1;  // -1 for a declaration
    int role = -1;       // pin direction, -1, or the use code of the connection checks
    int msb = -1;
    int lsb = -1;
    int line = 0;
    int x = -1;
    int y = 0;
    int spare = 0;
    int side = 0;
    int extent = 0;
};

struct Segment {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::string text;  // used by hand routing only
};

struct Net {
    std::vector<Terminal> terminals;
    std::vector<Segment> route;
    std::map<int, int> touch;  // junction key x + y * 65536 -> count
    int lineWidth = 0;
    int color = 0;
    int needsRouting = 0;
};

struct Module {
    int language = kVerilog;
    std::string filePath;
    int charCount = 0;
    int lineCount = 0;
    std::string schematicPath;
    std::string name;
    std::string displayName;

    std::vector<Pin> pins;
    std::vector<Wire> wires;
    std::vector<Reg> regs;
    std::vector<Assign> assigns;
    std::vector<Child> children;
    std::vector<Always> alwaysBlocks;
    std::vector<Initial> initialBlocks;
    std::vector<VhdlType> vhdlTypes;
    std::map<std::string, std::string> generics;

    // Schematic view settings.
    int gridSnap = 1;
    int gridVisible = 1;
    int gridSize = 16;
    double zoom = 1.0;
    int summaryMode = 0;
    int summaryGridSnap = 0;
    int summaryGridVisible = 1;
    int summaryGridSize = 16;
    double summaryZoom = 1.0;
    int highlightClock = 0;

    std::map<std::string, Net> nets;
    std::map<std::string, std::string> defines;
    // Ordered by name; looked up by a token's view without a copy of it.
    std::map<std::string, std::string, std::less<>> parameters;

    // Front-end working state, cleared when the parse of the chunk ends.
    std::string text;
    int readPos = 0;
    std::map<int, std::string> lineComments;
    int tokenCount = 0;
    int tokensRead = 0;
    std::string loopVar;
    int loopFirst = 0;
    int loopLast = 0;
};

}  // namespace corvane
