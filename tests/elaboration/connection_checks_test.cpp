#include "elaboration/connection_checks.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "database/net_table.h"
#include "database/verilog_operator_table.h"
#include "database/vhdl_operator_table.h"

namespace corvane {
namespace {

// Tokens of a blank-separated text on one line; a piece found in the operator
// table becomes that operator, anything else an operand.
template <std::size_t N>
std::vector<FormulaToken> tokensOf(std::string_view text, int line,
                                   const std::array<OperatorEntry, N>& ops) {
    std::vector<FormulaToken> tokens;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        FormulaToken token;
        token.text = token.displayText = std::string(text.substr(start, end - start));
        token.op = -1;
        token.line = line;
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].text == token.text) token.op = static_cast<int>(i);
        }
        tokens.push_back(token);
        start = end + 1;
    }
    return tokens;
}

std::vector<FormulaToken> verilog(std::string_view text, int line) {
    return tokensOf(text, line, kVerilogOperators);
}

std::vector<FormulaToken> vhdl(std::string_view text, int line) {
    return tokensOf(text, line, kVhdlOperators);
}

std::string error(const std::string& what, int number) {
    return "#ERROR :  :  : Net \"" + what + "\" connection error.(" + std::to_string(number) +
           ")\r\n";
}

std::string brief(const Terminal& t) {
    std::ostringstream out;
    out << "k" << t.kind << " i" << t.index << " p" << t.portIndex << " r" << t.role << " ["
        << t.msb << ":" << t.lsb << "] l" << t.line;
    return out.str();
}

std::string brief(const Pin& p) {
    std::ostringstream out;
    out << p.name << " r" << p.direction << " [" << p.msb << ":" << p.lsb << "]";
    return out.str();
}

std::vector<std::string> briefs(const std::vector<Pin>& ports) {
    std::vector<std::string> out;
    for (const Pin& port : ports) out.push_back(brief(port));
    return out;
}

using Strings = std::vector<std::string>;

template <typename Record>
Record declared(const std::string& name, int msb, int lsb) {
    Record record;
    record.name = record.displayName = name;
    record.msb = msb;
    record.lsb = lsb;
    return record;
}

Assign verilogAssign(const std::string& lhs, const std::string& rhs, int line, int rhsLine) {
    Assign assign;
    assign.name = assign.displayName = lhs;
    assign.lhsTokens = verilog(lhs, line);
    assign.rhsTokens = verilog(rhs, rhsLine);
    assign.line = line;
    return assign;
}

// A statement with Verilog target and value tokens; "if" and the other
// markers have no target tokens.
Statement statement(const std::string& target, const std::string& value, int line) {
    Statement s;
    s.target = s.targetDisplay = target;
    s.value = s.valueDisplay = value;
    if (target != "if") s.targetTokens = verilog(target, line);
    s.valueTokens = verilog(value, line);
    s.line = line;
    return s;
}

Sensitivity entry(const std::string& name, int edge = -1) {
    Sensitivity s;
    s.name = s.displayName = name;
    s.edge = edge;
    return s;
}

Connection connection(const std::string& port, const std::string& signal, int flags = 0) {
    Connection c;
    c.port = c.portDisplay = port;
    c.signal = c.signalDisplay = signal;
    c.flags = flags;
    return c;
}

Child child(int line, std::vector<Connection> connections) {
    Child c;
    c.moduleName = c.moduleDisplayName = "sub";
    c.name = c.displayName = "u" + std::to_string(line);
    c.line = line;
    c.connections = std::move(connections);
    return c;
}

Always always(int line, std::vector<Sensitivity> sensitivity, std::vector<Statement> statements) {
    Always a;
    a.line = line;
    a.sensitivity = std::move(sensitivity);
    a.statements = std::move(statements);
    return a;
}

enum class Implementation { kPlain, kIndexed };

void PrintTo(Implementation implementation, std::ostream* out) {
    *out << (implementation == Implementation::kPlain ? "plain" : "indexed");
}

// Every behaviour is checked on both the plain scans and the indexed checker.
// Declarations: pins a[7:0], b, q[7:0]; reg r[3:0]; wire w[15:0]; loop i 0..3.
class ConnectionChecks : public ::testing::TestWithParam<Implementation> {
protected:
    ConnectionChecks() {
        module.pins = {declared<Pin>("a", 7, 0), declared<Pin>("b", -1, -1),
                       declared<Pin>("q", 7, 0)};
        module.regs = {declared<Reg>("r", 3, 0)};
        module.wires = {declared<Wire>("w", 15, 0)};
        module.loopVar = "i";
        module.loopFirst = 0;
        module.loopLast = 3;
    }

    // Checks `names` in order, each against a fresh net, as the net table does
    // (a name given twice is checked again, as for a repeated implicit wire).
    void check(const Strings& names) {
        std::unique_ptr<IndexedNetChecker> checker;
        if (GetParam() == Implementation::kIndexed) {
            checker = std::make_unique<IndexedNetChecker>(module, Language(module.language));
        }
        for (const std::string& name : names) {
            module.nets[name] = Net{};
            if (checker) {
                checker->check(module, name, log);
            } else if (module.language == kVhdl) {
                checkVhdlNet(module, name, log);
            } else {
                checkVerilogNet(module, name, log);
            }
        }
    }

    Strings terminals(const std::string& name) const {
        Strings out;
        for (const Terminal& t : module.nets.at(name).terminals) out.push_back(brief(t));
        return out;
    }

    Module module;
    MessageLog log;
};

INSTANTIATE_TEST_SUITE_P(Both, ConnectionChecks,
                         ::testing::Values(Implementation::kPlain, Implementation::kIndexed),
                         [](const auto& info) {
                             return info.param == Implementation::kPlain ? "Plain" : "Indexed";
                         });

TEST_P(ConnectionChecks, AssignRecordsWriteThenReadsWithTheirRanges) {
    module.assigns = {verilogAssign("q", "a [ 3 ] & a [ 3 ] | a & b", 5, 6)};
    check({"q", "a", "b"});

    EXPECT_EQ(terminals("q"), Strings{"k3 i0 p0 r1 [7:0] l5"});
    // a[3] twice gives one use; a without a select takes the declared range.
    EXPECT_EQ(terminals("a"), (Strings{"k3 i0 p1 r0 [3:3] l6", "k3 i0 p2 r0 [7:0] l6"}));
    EXPECT_EQ(terminals("b"), Strings{"k3 i0 p3 r0 [-1:-1] l6"});
    EXPECT_EQ(briefs(module.assigns[0].ports),
              (Strings{"q r1 [7:0]", "a r0 [3:3]", "a r0 [7:0]", "b r0 [-1:-1]"}));
    const Terminal& use = module.nets.at("q").terminals[0];
    EXPECT_EQ(use.x, -1);
    EXPECT_EQ(use.y, 0);
    EXPECT_EQ(use.spare, 0);
    EXPECT_EQ(module.assigns[0].ports[0].displayName, "q");
    EXPECT_EQ(log.text(), "");
}

TEST_P(ConnectionChecks, ScansAssignsAlwaysChildrenInitialsInOrder) {
    module.assigns = {verilogAssign("w", "b", 3, 3)};
    module.alwaysBlocks = {always(
        10, {entry("clk", 0), entry("b", 0)},
        {statement("r", "b", 11), statement("if", "! b", 12),  // the same read again: no port
         statement("b", "0", 13)})};
    module.children = {child(20, {connection("p", "b[2]", 2), connection("p2", "b")})};
    Initial initial;
    initial.line = 30;
    initial.statements = {statement("b", "b", 31)};
    module.initialBlocks = {initial};
    check({"b"});

    EXPECT_EQ(terminals("b"), (Strings{
                                  "k3 i0 p0 r0 [-1:-1] l3",
                                  "k4 i0 p0 r16 [-1:-1] l10",  // sensitivity: the block's line
                                  "k4 i0 p1 r0 [-1:-1] l11",
                                  "k4 i0 p2 r1 [-1:-1] l13",
                                  "k5 i0 p0 r2 [2:2] l20",  // role: the connection's flags
                                  "k5 i0 p1 r0 [-1:-1] l20",
                                  "k6 i0 p0 r1 [-1:-1] l30",  // target text: the block's line
                                  "k6 i0 p1 r0 [-1:-1] l31",
                              }));
    EXPECT_EQ(briefs(module.alwaysBlocks[0].ports),
              (Strings{"b r16 [-1:-1]", "b r0 [-1:-1]", "b r1 [-1:-1]"}));
    EXPECT_EQ(briefs(module.children[0].ports), (Strings{"b r2 [2:2]", "b r0 [-1:-1]"}));
}

TEST_P(ConnectionChecks, DuplicatePortRuleHoldsForTokenUsesOfOneBlockOnly) {
    const struct {
        const char* what;
        std::function<void(Module&)> build;
        std::size_t uses;
    } cases[] = {
        {"same read twice in one assign",
         [](Module& m) { m.assigns = {verilogAssign("q", "a & a", 1, 1)}; }, 1},
        {"same read in two assigns",
         [](Module& m) {
             m.assigns = {verilogAssign("q", "a", 1, 1), verilogAssign("w", "a", 2, 2)};
         },
         2},
        {"different bits",
         [](Module& m) { m.assigns = {verilogAssign("q", "a [ 3 ] & a [ 4 ]", 1, 1)}; }, 2},
        {"read and write in one always",
         [](Module& m) { m.alwaysBlocks = {always(1, {}, {statement("a", "a", 2)})}; }, 2},
        {"same read in two statements",
         [](Module& m) {
             m.alwaysBlocks = {always(1, {}, {statement("r", "a", 2), statement("q", "a", 3)})};
         },
         1},
        {"sensitivity entry twice",
         [](Module& m) {
             m.alwaysBlocks = {always(1, {entry("a"), entry("a")}, {})};
         },
         2},
        {"two connections of one child",
         [](Module& m) {
             m.children = {child(1, {connection("x", "a"), connection("y", "a")})};
         },
         2},
    };
    for (const auto& c : cases) {
        module.assigns.clear();
        module.alwaysBlocks.clear();
        module.children.clear();
        c.build(module);
        check({"a"});
        EXPECT_EQ(module.nets.at("a").terminals.size(), c.uses) << c.what;
    }
}

TEST_P(ConnectionChecks, RecheckOfANameAddsOnlyItsTextUsesAgain) {
    module.assigns = {verilogAssign("t", "b", 1, 1)};
    module.children = {child(20, {connection("p", "t")})};
    check({"t", "b", "t"});

    // The assign already has the port t from the first check; the child's
    // connection is a text use and is recorded again.
    EXPECT_EQ(terminals("t"), Strings{"k5 i0 p1 r0 [-1:-1] l20"});
    EXPECT_EQ(briefs(module.assigns[0].ports), (Strings{"t r1 [-1:-1]", "b r0 [-1:-1]"}));
    EXPECT_EQ(briefs(module.children[0].ports), (Strings{"t r0 [-1:-1]", "t r0 [-1:-1]"}));
}

TEST_P(ConnectionChecks, MalformedSelectsAreReportedAndSkipped) {
    module.assigns = {verilogAssign("q", "a [", 1, 1), verilogAssign("w", "b & a [ 3", 2, 2)};
    module.alwaysBlocks = {always(3, {entry("a[1")}, {statement("r", "a [ 3 :", 4)})};
    module.children = {child(5, {connection("p", "a[2"), connection("p2", "a[2]")})};
    check({"a"});

    EXPECT_EQ(log.text(),
              error("a", 1) + error("a", 2) + error("a[1", 0) + error("a", 3) + error("a[2", 0));
    EXPECT_EQ(terminals("a"), Strings{"k5 i0 p0 r0 [2:2] l5"});
    EXPECT_TRUE(module.assigns[0].ports.empty());
    EXPECT_EQ(module.children[0].ports.size(), 1u);
}

TEST_P(ConnectionChecks, LoopVariableSelectsTheLoopRange) {
    module.alwaysBlocks = {always(1, {}, {statement("for", "", 2), statement("r", "a [ i ]", 3)})};
    module.children = {child(4, {connection("p", "w[i]")})};
    check({"a", "w"});
    EXPECT_EQ(terminals("a"), Strings{"k4 i0 p0 r0 [3:0] l3"});
    EXPECT_EQ(terminals("w"), Strings{"k5 i0 p0 r0 [3:0] l4"});
}

TEST_P(ConnectionChecks, VhdlScansAssignsProcessesAndChildren) {
    module.language = kVhdl;
    Assign assign;
    assign.name = "q(1)";
    assign.rhsTokens = vhdl("a ( 2 ) and b", 6);
    assign.line = 5;
    module.assigns = {assign};
    Statement target;
    target.target = "q";
    target.valueTokens = vhdl("a ( 3 , 0 )", 11);
    Statement condition;
    condition.target = "if";
    condition.valueTokens = vhdl("a", 12);
    module.alwaysBlocks = {always(10, {entry("a")}, {target, condition})};
    module.children = {child(20, {connection("p", "a(5)")})};
    Initial initial;  // initial blocks are not scanned for VHDL
    initial.statements = {statement("a", "a", 31)};
    module.initialBlocks = {initial};
    check({"q", "a"});

    EXPECT_EQ(terminals("q"), (Strings{"k3 i0 p0 r1 [1:1] l5", "k4 i0 p0 r1 [7:0] l10"}));
    EXPECT_EQ(terminals("a"), (Strings{
                                  "k3 i0 p1 r0 [2:2] l6",
                                  "k4 i0 p1 r16 [7:0] l10",
                                  "k4 i0 p2 r0 [3:0] l11",
                                  "k4 i0 p3 r0 [7:0] l12",
                                  "k5 i0 p0 r0 [5:5] l20",
                              }));
    EXPECT_TRUE(module.initialBlocks[0].ports.empty());
}

TEST_P(ConnectionChecks, VhdlMalformedSelectsAreReported) {
    module.language = kVhdl;
    Assign assign;
    assign.name = "a(1";
    assign.rhsTokens = vhdl("a ( 3 ,", 2);
    module.assigns = {assign};
    Statement s;
    s.target = "r";
    s.valueTokens = vhdl("a ( b and a (", 4);
    module.alwaysBlocks = {always(3, {}, {s})};
    check({"a"});
    EXPECT_EQ(log.text(), error("a(1", 7) + error("a", 6) + error("a", 4));
    // "a ( b" is a single non-numeric index: the declared range.
    EXPECT_EQ(terminals("a"), Strings{"k4 i0 p0 r0 [7:0] l4"});
}

TEST_P(ConnectionChecks, VhdlIndexCutShortIsError5) {
    module.language = kVhdl;
    Assign assign;
    assign.name = "q";
    assign.rhsTokens = vhdl("a ( 3", 2);
    module.assigns = {assign};
    check({"a"});
    EXPECT_EQ(log.text(), error("a", 5));
    EXPECT_TRUE(module.nets.at("a").terminals.empty());
}

TEST(ConnectionChecksWithoutNet, NameThatIsNoNetChangesNothing) {
    Module module;
    module.assigns = {verilogAssign("q", "a", 1, 1)};
    MessageLog log;
    checkVerilogNet(module, "a", log);
    VerilogNetChecker(module).check(module, "a", log);
    EXPECT_TRUE(module.nets.empty());
    EXPECT_TRUE(module.assigns[0].ports.empty());
}

// --- The indexed checker against the plain scans on generated modules ---

std::string full(const Terminal& t) {
    std::ostringstream out;
    out << brief(t) << " x" << t.x << " y" << t.y << " s" << t.spare << " " << t.side << " "
        << t.extent;
    return out.str();
}

std::string full(const Pin& p) {
    std::ostringstream out;
    out << brief(p) << " '" << p.displayName << "' '" << p.comment << "' l" << p.line << " " << p.x
        << "," << p.y << "," << p.width << "," << p.height;
    return out.str();
}

template <typename Blocks>
void describePorts(std::ostringstream& out, const char* kind, const Blocks& blocks) {
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        out << kind << i << ":";
        for (const Pin& port : blocks[i].ports) out << " {" << full(port) << "}";
        out << "\n";
    }
}

std::string describe(const Module& module) {
    std::ostringstream out;
    for (const auto& [name, net] : module.nets) {
        out << name << ":";
        for (const Terminal& t : net.terminals) out << " {" << full(t) << "}";
        out << "\n";
    }
    describePorts(out, "assign", module.assigns);
    describePorts(out, "always", module.alwaysBlocks);
    describePorts(out, "child", module.children);
    describePorts(out, "initial", module.initialBlocks);
    return out.str();
}

// Random modules with many nets, repeated uses, selects of every form, cut
// short selects, loop-variable and other indices, and repeated implicit wires.
class ModuleGenerator {
public:
    ModuleGenerator(unsigned seed, Language language) : rng_(seed), vhdl_(language == kVhdl) {
        for (int i = 0; i < 24; ++i) names_.push_back("n" + std::to_string(i));
        for (int i = 0; i < 3; ++i) names_.push_back("u" + std::to_string(i));  // undeclared
    }

    Module generate() {
        Module m;
        m.language = vhdl_ ? kVhdl : kVerilog;
        m.loopVar = "i";
        m.loopFirst = 1;
        m.loopLast = 6;
        for (int i = 0; i < 8; ++i) m.pins.push_back(declaredName<Pin>(i + pick(2)));
        for (int i = 5; i < 13; ++i) m.regs.push_back(declaredName<Reg>(i));
        for (int i = 10; i < 19; ++i) m.wires.push_back(declaredName<Wire>(i));
        m.generics = {{"n19", "4"}, {"n5", "2"}};
        for (int i = 0; i < 14; ++i) m.assigns.push_back(assign());
        for (int i = 0; i < 4; ++i) m.alwaysBlocks.push_back(alwaysBlock());
        for (int i = 0; i < 3; ++i) m.children.push_back(childBlock());
        for (int i = 0; i < 2; ++i) m.initialBlocks.push_back(initialBlock());
        return m;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string name() {
        return names_[static_cast<std::size_t>(pick(static_cast<int>(names_.size())))];
    }
    std::string number() { return std::to_string(pick(8)); }
    int nextLine() { return line_ += 1 + pick(3); }

    template <typename Record>
    Record declaredName(int index) {
        const bool scalar = pick(3) == 0;
        const int msb = scalar ? -1 : 7 + pick(4);
        const int lsb = scalar ? -1 : pick(2);
        return declared<Record>("n" + std::to_string(index), msb, lsb);
    }

    std::vector<FormulaToken> tokens(const std::string& text, int line) {
        return vhdl_ ? vhdl(text, line) : verilog(text, line);
    }

    std::string select(const std::string& inner) {
        return vhdl_ ? " ( " + inner + " )" : " [ " + inner + " ]";
    }

    std::string operand() {
        const std::string n = name();
        const std::string separator = vhdl_ ? " , " : " : ";
        switch (pick(6)) {
            case 0:
                return n + select(number());
            case 1:
                return n + select(number() + separator + number());
            case 2:
                return n + select(pick(2) ? "i" : "k");
            default:
                return n;
        }
    }

    std::string expression() {
        std::string text = operand();
        for (int terms = pick(4); terms > 0; --terms) text += (vhdl_ ? " and " : " & ") + operand();
        const std::string open = vhdl_ ? " (" : " [";
        switch (pick(10)) {  // a select cut short by the end of the list
            case 0:
                return text + " & " + name() + open;
            case 1:
                return text + " & " + name() + open + " 3";
            case 2:
                return text + " & " + name() + open + " 3" + (vhdl_ ? " ," : " :");
            default:
                return text;
        }
    }

    std::string signalText() {
        const std::string n = name();
        const char open = vhdl_ ? '(' : '[';
        const char close = vhdl_ ? ')' : ']';
        const char separator = vhdl_ ? ',' : ':';
        switch (pick(6)) {
            case 0:
                return n + open + number() + close;
            case 1:
                return n + open + number() + separator + number() + close;
            case 2:
                return n + open + "i" + close;
            case 3:
                return n + open + number();  // unclosed
            default:
                return n;
        }
    }

    Assign assign() {
        Assign a;
        a.line = nextLine();
        const bool bare = pick(3) != 0;
        const std::string target = bare ? name() : operand();
        a.name = vhdl_ ? signalText() : target;
        std::erase(a.name, ' ');
        a.lhsTokens = tokens(target, a.line);
        const std::string value = expression();
        a.rhsTokens = tokens(value, pick(2) ? a.line : a.line + 1);
        return a;
    }

    Statement statementOf() {
        Statement s;
        s.line = nextLine();
        const bool marker = pick(4) == 0;
        s.target = marker ? "if" : (vhdl_ ? signalText() : name());
        if (!marker) s.targetTokens = tokens(vhdl_ ? name() : operand(), s.line);
        s.valueTokens = tokens(expression(), s.line);
        return s;
    }

    Always alwaysBlock() {
        Always a;
        a.line = nextLine();
        for (int i = 1 + pick(3); i > 0; --i) {
            const std::string text = signalText();
            a.sensitivity.push_back(entry(text, pick(3) - 1));
        }
        for (int i = 1 + pick(6); i > 0; --i) a.statements.push_back(statementOf());
        return a;
    }

    Child childBlock() {
        std::vector<Connection> connections;
        for (int i = 0; i < 5; ++i) {
            const std::string port = "p" + number();
            const std::string signal = signalText();
            connections.push_back(connection(port, signal, pick(3)));
        }
        return child(nextLine(), std::move(connections));
    }

    Initial initialBlock() {
        Initial initial;
        initial.line = nextLine();
        for (int i = pick(4); i > 0; --i) initial.statements.push_back(statementOf());
        return initial;
    }

    std::mt19937 rng_;
    bool vhdl_;
    std::vector<std::string> names_;
    int line_ = 1;
};

// Builds the net table once with the plain scans, once through the indexed
// checker's hook and once through the checker's own table build (which hands
// each new net to the checker directly), and expects identical nets, block
// ports and log text. The modules follow each other on one thread, so the
// index storage a checker takes over from the previous one is exercised too.
TEST(IndexedNetChecker, MatchesThePlainScansOnGeneratedModules) {
    for (const Language language : {kVerilog, kVhdl}) {
        std::string allLogs;
        for (unsigned seed = 1; seed <= 60; ++seed) {
            const Module generated = ModuleGenerator(seed, language).generate();
            Module plain = generated;
            Module indexed = generated;
            MessageLog plainLog;
            MessageLog indexedLog;
            buildNetTable(plain, "m", plainLog, [&plainLog](Module& m, const std::string& name) {
                if (m.language == kVhdl) {
                    checkVhdlNet(m, name, plainLog);
                } else {
                    checkVerilogNet(m, name, plainLog);
                }
            });
            IndexedNetChecker checker(indexed, language);
            buildNetTable(indexed, "m", indexedLog, checker.hook(indexedLog));
            Module direct = generated;
            MessageLog directLog;
            IndexedNetChecker(direct, language).buildNetTable(direct, "m", directLog);

            EXPECT_EQ(describe(indexed), describe(plain))
                << "language " << language << " seed " << seed;
            EXPECT_EQ(indexedLog.text(), plainLog.text())
                << "language " << language << " seed " << seed;
            EXPECT_EQ(describe(direct), describe(plain))
                << "language " << language << " seed " << seed;
            EXPECT_EQ(directLog.text(), plainLog.text())
                << "language " << language << " seed " << seed;
            allLogs += plainLog.text();
        }
        // The generated modules reach every connection error of the language.
        const std::array<int, 4> numbers =
            language == kVhdl ? std::array{4, 5, 6, 7} : std::array{0, 1, 2, 3};
        for (int number : numbers) {
            EXPECT_NE(allLogs.find("connection error.(" + std::to_string(number) + ")"),
                      std::string::npos)
                << number;
        }
    }
}

// Blocks that already hold ports when they are indexed (a net table built a
// second time): the checker must find those ports again as the plain scans
// do, for names it has not checked itself.
TEST(IndexedNetChecker, MatchesThePlainScansOnModulesWithPortsAlready) {
    for (const Language language : {kVerilog, kVhdl}) {
        for (unsigned seed = 1; seed <= 20; ++seed) {
            Module plain = ModuleGenerator(seed, language).generate();
            MessageLog firstLog;
            const auto plainCheck = [](MessageLog& log) {
                return [&log](Module& m, const std::string& name) {
                    if (m.language == kVhdl) {
                        checkVhdlNet(m, name, log);
                    } else {
                        checkVerilogNet(m, name, log);
                    }
                };
            };
            buildNetTable(plain, "m", firstLog, plainCheck(firstLog));
            plain.nets.clear();
            Module indexed = plain;
            MessageLog plainLog;
            MessageLog indexedLog;
            buildNetTable(plain, "m", plainLog, plainCheck(plainLog));
            IndexedNetChecker(indexed, language).buildNetTable(indexed, "m", indexedLog);
            EXPECT_EQ(describe(indexed), describe(plain))
                << "language " << language << " seed " << seed;
            EXPECT_EQ(indexedLog.text(), plainLog.text())
                << "language " << language << " seed " << seed;
        }
    }
}

TEST(IndexedNetChecker, OtherOrResizedModuleFallsBackToThePlainScans) {
    const Module generated = ModuleGenerator(7, kVerilog).generate();
    Module indexed = generated;
    VerilogNetChecker checker(indexed);
    const Assign extra = verilogAssign("n1", "n2 [ 1 ] & n3", 99, 99);

    Module other = generated;  // same shape, different tokens
    other.assigns[0].rhsTokens = verilog("n3 [ 2 ] & n1", 98);
    indexed.assigns.push_back(extra);  // the indexed module grew after indexing
    Module plainOther = other;
    Module plainGrown = indexed;

    MessageLog checkerLog;
    MessageLog plainLog;
    for (const std::string name : {"n1", "n2", "n3"}) {
        for (Module* m : {&other, &indexed, &plainOther, &plainGrown}) m->nets[name] = Net{};
        checker.check(other, name, checkerLog);
        checker.check(indexed, name, checkerLog);
        checkVerilogNet(plainOther, name, plainLog);
        checkVerilogNet(plainGrown, name, plainLog);
    }
    EXPECT_EQ(describe(other), describe(plainOther));
    EXPECT_EQ(describe(indexed), describe(plainGrown));
    EXPECT_EQ(checkerLog.text(), plainLog.text());
}

TEST(IndexedNetChecker, ForgetsBlockPortsRemovedBetweenChecks) {
    Module module;
    module.assigns = {verilogAssign("q", "a", 1, 1)};
    module.nets["a"] = Net{};
    MessageLog log;
    VerilogNetChecker checker(module);
    checker.check(module, "a", log);
    module.assigns[0].ports.clear();
    module.nets["a"] = Net{};
    checker.check(module, "a", log);
    EXPECT_EQ(briefs(module.assigns[0].ports), Strings{"a r0 [-1:-1]"});
    EXPECT_EQ(module.nets.at("a").terminals.size(), 1u);
}

}  // namespace
}  // namespace corvane
