#include "vhdl/vhdl_process.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/vhdl_parse_fixture.h"
#include "text/text_helpers.h"

namespace corvane {
namespace {

using testing::VhdlParseFixture;
using Stream = std::vector<std::pair<std::string, std::string>>;  // target, value

// A process text read after its "process" keyword, in a module whose signals
// are q, n, st, cnt and whose ports are clk, rst, d, y.
struct ProcessFixture {
    explicit ProcessFixture(const std::string& source) : fixture(source, {{"w", "8"}}) {
        for (const char* name : {"q", "n", "st", "cnt"}) {
            Wire wire;
            wire.name = wire.displayName = name;
            fixture.module.wires.push_back(wire);
        }
        for (const char* name : {"clk", "rst", "d", "y"}) {
            Pin pin;
            pin.name = pin.displayName = name;
            pin.direction = 0;
            fixture.module.pins.push_back(pin);
        }
    }

    int parse() {
        const std::string keyword = fixture.nextItemToken();
        EXPECT_TRUE(toLowerAscii(keyword).starts_with("process"));
        return parseProcess(*fixture.state, std::string_view(keyword).substr(7));
    }

    const Always& block() const { return fixture.module.alwaysBlocks.at(0); }

    Stream stream() const {
        Stream result;
        for (const Statement& statement : block().statements)
            result.emplace_back(statement.target, statement.value);
        return result;
    }

    std::vector<std::string> sensitivity() const {
        std::vector<std::string> names;
        for (const Sensitivity& entry : block().sensitivity) {
            EXPECT_EQ(entry.edge, -1);
            names.push_back(entry.displayName);
        }
        return names;
    }

    VhdlParseFixture fixture;
};

TEST(VhdlProcess, StatementStreams) {
    struct Case {
        const char* source;
        std::vector<std::string> sensitivity;
        Stream stream;
    };
    const Case cases[] = {
        {"process (clk) begin if rising_edge(clk) then q <= d; end if; end process;",
         {"clk"},
         {{"if", "$rising_edge$(clk)"}, {"q", "d"}, {"end", ""}}},
        {"process (St) begin case St is when IDLE => n <= RUN; when others => n <= IDLE; end case; "
         "end process;",
         {"St"},
         {{"case", "st"},
          {"when", "idle"},
          {"n", "run"},
          {"when", "others"},
          {"n", "idle"},
          {"end", ""}}},
        {"process (clk, rst)\nbegin\n  if rst = '1' then\n    q <= '0';\n"
         "  elsif clk'event and clk = '1' then\n    q <= d;\n  else\n    q <= q;\n  end if;\n"
         "end process;",
         {"clk", "rst"},
         {{"if", "rst='1'"},
          {"q", "'0'"},
          {"elif", "clk'event$and$clk='1'"},
          {"q", "d"},
          {"else", ""},
          {"q", "q"},
          {"end", ""}}},
        // Variables: ":=" is read as "<="; the declarative part is passed over.
        {"process (d) variable v : integer := 0; begin v := v + 1; cnt <= v; end process;",
         {"d"},
         {{"v", "v+1"}, {"cnt", "v"}}},
        {"process (d) begin for i in 0 to 7 loop q(i) <= d(7-i); end loop; end process;",
         {"d"},
         {{"for", ""}, {"q(i)", "d(7-i)"}, {"end", ""}}},
        // Choices glued to their arrow and statement, alternatives, "null".
        {"process (st) begin case (st) is when IDLE=>n<=RUN; when \"00\" | \"11\" => y <= d; "
         "when others => null; end case; end process;",
         {"st"},
         {{"case", "st"},
          {"when", "idle"},
          {"n", "run"},
          {"when", "\"00\"|\"11\""},
          {"y", "d"},
          {"when", "others"},
          {"end", ""}}},
        {"process(clk) begin if(rst='1')then q <= '0'; elsif(d='1')then q <= '1'; end if; end "
         "process;",
         {"clk"},
         {{"if", "(rst='1')"}, {"q", "'0'"}, {"elif", "(d='1')"}, {"q", "'1'"}, {"end", ""}}},
        // Labels after "end"; a process without a list.
        {"process is begin l1: q <= d; end process p1;", {}, {{"q", "d"}}},
        {"process begin wait until clk = '1'; q <= d; end process;", {"clk"}, {{"q", "d"}}},
        {"process begin wait until rising_edge(Clk) and rst = '0' and W = 1; q <= d; wait for 10 "
         "ns; "
         "wait; end process;",
         {"Clk", "rst"},
         {{"q", "d"}}},
        {"process (clk) begin wait until clk = '1'; q <= d; end process;", {"clk"}, {{"q", "d"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        ProcessFixture process(c.source);
        EXPECT_EQ(process.parse(), 0);
        EXPECT_EQ(process.fixture.log.text(), "");
        EXPECT_EQ(process.sensitivity(), c.sensitivity);
        EXPECT_EQ(process.stream(), c.stream);
    }
}

TEST(VhdlProcess, DisplayTextsLinesAndComments) {
    ProcessFixture process(
        "Process (CLK)\n"
        "begin\n"
        "  if Rising_Edge(CLK) then   -- clocked\n"
        "    Q <= D\n"
        "      and RST;\n"
        "  end if;\n"
        "end process;\n"
        "signal after : bit;");
    EXPECT_EQ(process.parse(), 0);
    EXPECT_EQ(process.block().line, 1);
    const std::vector<Statement>& statements = process.block().statements;
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0].targetDisplay, "if");
    EXPECT_EQ(statements[0].valueDisplay, "$rising_edge$(CLK)");
    EXPECT_EQ(statements[0].line, 3);
    EXPECT_EQ(statements[0].comment, "clocked");
    EXPECT_EQ(statements[1].target, "q");
    EXPECT_EQ(statements[1].targetDisplay, "Q");
    EXPECT_EQ(statements[1].value, "d$and$rst");
    EXPECT_EQ(statements[1].valueDisplay, "D$and$RST");
    EXPECT_EQ(statements[1].line, 4);
    EXPECT_EQ(statements[2].line, 6);
    // The reading ends right after "end process;".
    EXPECT_EQ(process.fixture.nextItemToken(), "signal");
}

TEST(VhdlProcess, ErrorsEndTheProcessAndKeepWhatWasRead) {
    struct Case {
        const char* source;
        int line;
        const char* message;
        Stream stream;  // statements read before the error
    };
    const Case cases[] = {
        {"process (clk) variable v : bit;", 1, "\"begin\" not exist.", {}},
        {"process (clk) begin q <= d; if d = '1' q <= '0';",
         1,
         "syntax error at conditional experssion of 'if'.",
         {{"q", "d"}}},
        {"process (clk) begin if d = '1' then q <= d; elsif d = '0'",
         1,
         "syntax error at conditional experssion of 'if'.",
         {{"if", "d='1'"}, {"q", "d"}}},
        {"process (clk) begin case st when",
         1,
         "syntax error at conditional experssion of 'case'.",
         {}},
        {"process (clk) begin case st is when IDLE n <= RUN;",
         1,
         "syntax error at conditional experssion of 'when'.",
         {{"case", "st"}}},
        {"process (clk) begin for i in 0 to 3",
         1,
         "syntax error at conditional experssion of 'for'.",
         {}},
        {"process begin wait until clk = '1'",
         1,
         "syntax error at conditional experssion of 'wait'.",
         {}},
        {"process (clk) begin q <= d", 1, "';' not exist.(10)", {}},
        {"process (clk) begin y <= d", 1, "';' not exist.(11)", {}},
        {"process (clk) begin v := 1", 1, "syntax error at conditional experssion.", {}},
        {"process (clk) begin <= d; end process;", 1, "Signal name is empty.", {}},
        {"process (clk) begin q d; end process;",
         1,
         "Imperfect formula error in process block.",
         {}},
        {"process (clk) begin q <= d; end foo;", 1, "\"end process\" not exist.", {{"q", "d"}}},
        {"process (clk) begin q <= d;\nend", 2, "\"end;\" not exist.", {{"q", "d"}}},
        {"process (clk) begin q <= d;\n", 1, "\"end;\" not exist.", {{"q", "d"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        ProcessFixture process(c.source);
        EXPECT_EQ(process.parse(), 1);
        EXPECT_EQ(process.fixture.logLines(),
                  std::vector<std::string>{process.fixture.errorLine(c.line, c.message)});
        if (process.fixture.module.alwaysBlocks.empty()) {
            EXPECT_TRUE(c.stream.empty());
            continue;
        }
        EXPECT_EQ(process.stream(), c.stream);
    }
}

TEST(VhdlProcess, StatementSplitterMessage) {
    Module module;
    MessageLog log;
    std::vector<Statement> statements;
    EXPECT_EQ(addProcessStatement(statements, "case <= (s)", 3, module, log, "f.vhd"), 0);
    ASSERT_EQ(statements.size(), 1u);
    EXPECT_EQ(statements[0].value, "s");
    EXPECT_EQ(addProcessStatement(statements, "nothing", 4, module, log, "f.vhd"), 1);
    EXPECT_EQ(log.text(), "#ERROR : f.vhd : 4 : Imperfect formula error in process block.\r\n");
}

}  // namespace
}  // namespace corvane
