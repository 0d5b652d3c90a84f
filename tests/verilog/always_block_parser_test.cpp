#include "verilog/always_block_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/verilog_parse_fixture.h"

namespace corvane {
namespace {

using testing::VerilogParseFixture;

// A parse of one always block over `source`, with the regs and ports the
// assignment tests look up.
struct AlwaysRun {
    explicit AlwaysRun(const std::string& source,
                       const std::vector<std::string>& regs = {"q", "x", "y", "i", "m", "n"},
                       const std::vector<std::string>& ports = {"out", "d"})
        : fixture(source) {
        for (const std::string& name : regs) {
            Reg reg;
            reg.name = name;
            reg.displayName = name;
            fixture.module.regs.push_back(reg);
        }
        for (const std::string& name : ports) {
            Pin pin;
            pin.name = name;
            pin.displayName = name;
            fixture.module.pins.push_back(pin);
        }
        keyword = fixture.nextItemToken();
        result = parseAlways(*fixture.state, keyword);
    }

    const Always& block() const { return fixture.module.alwaysBlocks.at(0); }

    // "name/edge" for every entry.
    std::string sensitivity() const {
        std::string out;
        for (const Sensitivity& entry : block().sensitivity) {
            if (!out.empty()) out += ' ';
            out += entry.name + "/" + std::to_string(entry.edge);
        }
        return out;
    }

    // "target value" for every statement, separated by "; ".
    std::string stream() const {
        std::string out;
        for (const Statement& statement : block().statements) {
            if (!out.empty()) out += "; ";
            out += statement.target;
            if (!statement.value.empty()) out += " " + statement.value;
        }
        return out;
    }

    VerilogParseFixture fixture;
    std::string keyword;
    int result = 0;
};

struct BodyCase {
    const char* source;
    const char* sensitivity;
    const char* stream;
    const char* nextToken;  // what the module loop reads after the block
};

void expectBodies(const BodyCase* begin, const BodyCase* end) {
    for (const BodyCase* c = begin; c != end; ++c) {
        AlwaysRun run(c->source);
        EXPECT_EQ(run.result, 0) << c->source;
        EXPECT_EQ(run.fixture.log.text(), "") << c->source;
        ASSERT_EQ(run.fixture.module.alwaysBlocks.size(), 1u) << c->source;
        EXPECT_EQ(run.sensitivity(), c->sensitivity) << c->source;
        EXPECT_EQ(run.stream(), c->stream) << c->source;
        EXPECT_EQ(run.fixture.nextItemToken(), c->nextToken) << c->source;
    }
}

TEST(AlwaysBlockParser, EventLists) {
    const BodyCase cases[] = {
        {"always @(posedge clk) q <= d;\nendmodule", "clk/0", "q d", "endmodule"},
        {"always @(posedge clk or negedge rst_n) begin q <= d; end\nendmodule", "clk/0 rst_n/1",
         "q d", "endmodule"},
        {"always @(a or b) begin x = a; end\nendmodule", "a/-1 b/-1", "x a", "endmodule"},
        {"always @(*) begin x = a; end\nendmodule", "*/-1", "x a", "endmodule"},
        {"always @* begin x = a; end\nendmodule", "*/-1", "x a", "endmodule"},
        {"always @* x = a;\nendmodule", "*/-1", "x a", "endmodule"},
        // A comma-separated list stays one entry.
        {"always @(a, b) begin x = a; end\nendmodule", "a,b/-1", "x a", "endmodule"},
        {"always@(posedge Clk)begin q <= d; end\nendmodule", "clk/0", "q d", "endmodule"},
        {"always@(posedge clk)begin:named q <= d; end\nendmodule", "clk/0", "q d", "endmodule"},
        // The event list ends where its parentheses balance.
        {"always @(a or b) y = (a | b);\nendmodule", "a/-1 b/-1", "y (a|b)", "endmodule"},
        {"always_ff @(posedge clk) q <= d;\nendmodule", "clk/0", "q d", "endmodule"},
        {"always_comb begin y = a; end\nendmodule", "", "y a", "endmodule"},
        {"always begin x = 1; end\nendmodule", "", "x 1", "endmodule"},
        // An event name holding "begin" or "if" does not end the header.
        {"always @(xbegin or ifx) begin y = a; end\nendmodule", "xbegin/-1 ifx/-1", "y a",
         "endmodule"},
        // The header may run over several lines.
        {"always\n@(posedge clk\nor\nposedge rst)\nbegin q <= d; end\nendmodule", "clk/0 rst/0",
         "q d", "endmodule"},
    };
    expectBodies(std::begin(cases), std::end(cases));
}

TEST(AlwaysBlockParser, DisplayFieldsKeepTheWrittenText) {
    AlwaysRun run("always @(posedge CLK) Q <= D_In;\nendmodule", {"q"});
    ASSERT_EQ(run.result, 0);
    ASSERT_EQ(run.block().sensitivity.size(), 1u);
    EXPECT_EQ(run.block().sensitivity[0].name, "clk");
    EXPECT_EQ(run.block().sensitivity[0].displayName, "CLK");
    ASSERT_EQ(run.block().statements.size(), 1u);
    const Statement& statement = run.block().statements[0];
    EXPECT_EQ(statement.target, "q");
    EXPECT_EQ(statement.targetDisplay, "Q");
    EXPECT_EQ(statement.value, "d_in");
    EXPECT_EQ(statement.valueDisplay, "D_In");
}

TEST(AlwaysBlockParser, BlockBodies) {
    const BodyCase cases[] = {
        {"always @(*) begin case (s) 2'b00: y = a; default: y = b; endcase end\nendmodule", "*/-1",
         "case s; when 2'b00; y a; when default; y b; end", "endmodule"},
        // A "begin" glued to the condition gives the same marker as one on a
        // line of its own, so the levels can be counted from the stream.
        {"always @* begin if (a) begin x = 1; end end\nendmodule", "*/-1",
         "if (a); begin; x 1; end", "endmodule"},
        {"always @* begin if (a)\nbegin x = 1; end end\nendmodule", "*/-1",
         "if (a); begin; x 1; end", "endmodule"},
        {"always @* begin if (a == b) x = 1; else if (c) x = 2; else x = 3; end\nendmodule", "*/-1",
         "if (a==b); x 1; elif (c); x 2; else; x 3", "endmodule"},
        {"always @* begin if (a) x = 1; else begin x = 2; end end\nendmodule", "*/-1",
         "if (a); x 1; else; begin; x 2; end", "endmodule"},
        {"always @* begin if (a) begin x = 1; end else if (b) begin x = 2; end end\nendmodule",
         "*/-1", "if (a); begin; x 1; end; elif (b); begin; x 2; end", "endmodule"},
        {"always @* begin\nif (a)\nx = 1;\nelse\nx = 2;\nend\nendmodule", "*/-1",
         "if (a); x 1; else; x 2", "endmodule"},
        // The condition runs until its parentheses balance.
        {"always @* begin if ((a | b) &&\n(c)) x = 1; end\nendmodule", "*/-1",
         "if ((a|b)&&(c)); x 1", "endmodule"},
        {"always @* begin if(a)x=1; end\nendmodule", "*/-1", "if (a); x 1", "endmodule"},
        {"always @* begin casex (s) 2'b1x: y = a; endcase end\nendmodule", "*/-1",
         "case s; when 2'b1x; y a; end", "endmodule"},
        {"always @* begin casez (s) 2'b1?: y = a; endcase end\nendmodule", "*/-1",
         "case s; when 2'b1?; y a; end", "endmodule"},
        {"always @* begin case (s) 0: begin y = a; end 1:begin y = b; end endcase end\nendmodule",
         "*/-1", "case s; when 0; begin; y a; end; when 1; begin; y b; end; end", "endmodule"},
        {"always @* begin case (s) 0:y=a; default : y = b; S1, S2 : y = d; endcase end\nendmodule",
         "*/-1", "case s; when 0; y a; when default; y b; when s1,s2; y d; end", "endmodule"},
        {"always @* begin case (s) 0: if (a) y = 1; else y = 0; endcase end\nendmodule", "*/-1",
         "case s; when 0; if (a); y 1; else; y 0; end", "endmodule"},
        {"always @* begin for (i = 0; i < 4; i = i + 1) begin m[i] = 0; end end\nendmodule", "*/-1",
         "for; m[i] 0; end", "endmodule"},
        // A while adds no statement; its glued "begin" and its "end" are markers.
        {"always @* begin while (x > 0) begin x = x - 1; end end\nendmodule", "*/-1",
         "begin; x x-1; end", "endmodule"},
        {"always @* begin while (x) x = x - 1; y = 0; end\nendmodule", "*/-1", "x x-1; y 0",
         "endmodule"},
        {"always @* begin $display(\"x = %d; (\", x); $fdisplay(f, \"y\"); x = 1; end\nendmodule",
         "*/-1", "x 1", "endmodule"},
        {"always @* begin disable blk ; x = 1; end\nendmodule", "*/-1", "x 1", "endmodule"},
        {"always @* begin\n`ifdef DEBUG\nx = 1;\n`else\nx = 2;\n`endif\nend\nendmodule", "*/-1",
         "x 1; x 2", "endmodule"},
        {"always @* begin {x, y} = d; out = 1; d[0] = 0; end\nendmodule", "*/-1",
         "{x,y} d; out 1; d[0] 0", "endmodule"},
        {"always @* begin : blk x = 1; if (a) begin : inner x = 2; end end\nendmodule", "*/-1",
         "x 1; if (a); begin; x 2; end", "endmodule"},
        {"always @* begin begin x = 1; end end\nendmodule", "*/-1", "begin; x 1; end", "endmodule"},
        {"always @(posedge clk) begin q <= a ? b : c; n <= q; end\nendmodule", "clk/0",
         "q a?b:c; n q", "endmodule"},
    };
    expectBodies(std::begin(cases), std::end(cases));
}

TEST(AlwaysBlockParser, BodiesWithoutBeginEnd) {
    const BodyCase cases[] = {
        {"always @(posedge clk or posedge rst) if (rst) q <= 0; else q <= d;\nendmodule",
         "clk/0 rst/0", "if (rst); q 0; else; q d", "endmodule"},
        {"always @(posedge clk) if (a) q <= 1;\nassign y = q;", "clk/0", "if (a); q 1", "assign"},
        {"always @(posedge clk) if (a) q <= 1;\nsub u1 (.a(a));", "clk/0", "if (a); q 1", "sub"},
        {"always @(posedge clk)\nif (a) begin\nq <= 1;\nend\nelse\nq <= 0;\nalways @* y = q;",
         "clk/0", "if (a); begin; q 1; end; else; q 0", "always"},
        // A dangling else binds to the inner if; either way both belong to the body.
        {"always @* if (a) if (b) x = 1; else x = 2; else x = 3;\nendmodule", "*/-1",
         "if (a); if (b); x 1; else; x 2; else; x 3", "endmodule"},
        {"always @* if (a) x = 1; else if (b) x = 2;\nwire w;", "*/-1",
         "if (a); x 1; elif (b); x 2", "wire"},
        // A module item word where the if's statement should be ends the body.
        {"always @* if (a)\nwire w;", "*/-1", "if (a)", "wire"},
        {"always @* case (s) 0: y = a; 1: y = b; endcase\nendmodule", "*/-1",
         "case s; when 0; y a; when 1; y b; end", "endmodule"},
        {"always @* case (s) 0: y = a; endcase\ninitial begin end", "*/-1",
         "case s; when 0; y a; end", "initial"},
        // The for of a single-for body owns the block's level.
        {"always @(posedge clk) for (i = 0; i < 4; i = i + 1) begin m[i] <= 0; end\nendmodule",
         "clk/0", "for; m[i] 0", "endmodule"},
    };
    expectBodies(std::begin(cases), std::end(cases));
}

// A loop body without begin-end is one statement; the "end" marker after it
// closes the loop's level as the "end" of a begin-end body would.
TEST(AlwaysBlockParser, LoopsWithoutBeginEnd) {
    const BodyCase cases[] = {
        {"always @* begin for (i = 0; i < 4; i = i + 1)\nbegin m[i] = 0; end end\nendmodule",
         "*/-1", "for; m[i] 0; end", "endmodule"},
        {"always @* begin for (i = 0; i < 4; i = i + 1) m[i] = 0; x = 1; end\nendmodule", "*/-1",
         "for; m[i] 0; end; x 1", "endmodule"},
        {"always @* begin for (i = 0; i < 4; i = i + 1)\nif (d[i]) x = i; else y = i;\nn = 0;"
         " end\nendmodule",
         "*/-1", "for; if (d[i]); x i; else; y i; end; n 0", "endmodule"},
        // The loop's if has no else: the loop ends before the block's "end".
        {"always @* begin for (i = 0; i < 4; i = i + 1) if (d[i]) x = i; end\nendmodule", "*/-1",
         "for; if (d[i]); x i; end", "endmodule"},
        {"always @* begin for (i = 0; i < 4; i = i + 1) for (n = 0; n < 2; n = n + 1) m[i] = n;"
         " end\nendmodule",
         "*/-1", "for; for; m[i] n; end; end", "endmodule"},
        // The else after the loop belongs to the if around it.
        {"always @* begin if (a) for (i = 0; i < 4; i = i + 1) x = i; else y = 1; end\nendmodule",
         "*/-1", "if (a); for; x i; end; else; y 1", "endmodule"},
        {"always @* begin for (i = 0; i < 4; i = i + 1) if (a) begin x = i; end end\nendmodule",
         "*/-1", "for; if (a); begin; x i; end; end", "endmodule"},
        {"always @* begin case (s) 0: for (i = 0; i < 4; i = i + 1) x = i; endcase end\nendmodule",
         "*/-1", "case s; when 0; for; x i; end; end", "endmodule"},
        {"always @* begin for(i=0;i<4;i=i+1)x=i; end\nendmodule", "*/-1", "for; x i; end",
         "endmodule"},
        // A single-for body whose loop holds one statement.
        {"always @(posedge clk) for (i = 0; i < 4; i = i + 1) m[i] <= 0;\nendmodule", "clk/0",
         "for; m[i] 0", "endmodule"},
        {"always @(posedge clk) for (i = 0; i < 4; i = i + 1)\nbegin m[i] <= 0; end\nendmodule",
         "clk/0", "for; m[i] 0", "endmodule"},
        {"always @* if (a) for (i = 0; i < 4; i = i + 1) x = i;\nassign y = x;", "*/-1",
         "if (a); for; x i; end", "assign"},
        {"always @* if (a) for (i = 0; i < 4; i = i + 1) if (b) x = i;\nsub u1 (.a(a));", "*/-1",
         "if (a); for; if (b); x i; end", "sub"},
    };
    expectBodies(std::begin(cases), std::end(cases));
}

// System tasks, timing controls, event triggers, waits, repeats and
// assertions add no statement; the statements around them are kept.
TEST(AlwaysBlockParser, StatementsThatAddNothing) {
    const BodyCase cases[] = {
        {"always @* begin $finish; $fflush; $write(\"%c\", d[7:0]);\n$fwrite(f, \"a; (b\");"
         " $readmemh(\"f.hex\", m); $stop ; x = 1; end\nendmodule",
         "*/-1", "x 1", "endmodule"},
        {"always begin repeat (3) @(posedge clk); wait (d == 0); -> ev; ->ev2; x = 1; end\n"
         "endmodule",
         "", "x 1", "endmodule"},
        {"always begin #10 x = 1; #(2) x = 2; # 3 x = 3; #4; ; @(negedge clk) x = 4;\n"
         "@* x = 5; @ (d) x = 6; @ev x = 7; end\nendmodule",
         "", "x 1; x 2; x 3; x 4; x 5; x 6; x 7", "endmodule"},
        {"always begin forever #5 y = ~y; end\nendmodule", "", "y ~y", "endmodule"},
        {"always begin @(posedge clk) begin x = 1; end repeat (2) begin y = 0; end end\nendmodule",
         "", "begin; x 1; end; begin; y 0; end", "endmodule"},
        // Intra-assignment delays and events are not part of the value.
        {"always @* begin q <= #1 d; x = #(2) d; y = @(posedge clk) d; m[0] = # 3 d; end\n"
         "endmodule",
         "*/-1", "q d; x d; y d; m[0] d", "endmodule"},
        {"always @(posedge clk) q <= #1 d;\nendmodule", "clk/0", "q d", "endmodule"},
        {"always #5 x = ~x;\nendmodule", "", "x ~x", "endmodule"},
        {"always #(HALF) begin x = ~x; end\nendmodule", "", "x ~x", "endmodule"},
        {"always @(posedge clk) begin assert (x == 0); assume(d != 1) else $error(\"e\");\n"
         "cover (x); restrict(d != 15); assert (x) y = 1; else begin y = 2; end\n"
         "assert property (@(posedge clk) x |-> y); n <= 1; end\nendmodule",
         "clk/0", "n 1", "endmodule"},
        {"always @* begin fork x = 1; #2 y = 2; join end\nendmodule", "*/-1", "begin; x 1; y 2; end",
         "endmodule"},
        {"always @* begin unique case (d) 0: x = 1; endcase priority if (d) y = 1; end\nendmodule",
         "*/-1", "case d; when 0; x 1; end; if (d); y 1", "endmodule"},
        {"always @* begin top.t(d, (x)); top.u.t2; x = 1; end\nendmodule", "*/-1", "x 1",
         "endmodule"},
        // Task enables and procedural continuous assignments.
        {"always @* begin my_task; t2(d, x); t3 (d); top.t4; t5 ; force x = 1; release x;\n"
         "assign y = 0; deassign y; y = 1; end\nendmodule",
         "*/-1", "y 1", "endmodule"},
    };
    expectBodies(std::begin(cases), std::end(cases));
}

// A body without begin-end may be any single statement.
TEST(AlwaysBlockParser, SingleStatementsOfOtherKinds) {
    const BodyCase cases[] = {
        {"always @(negedge clk) $strobe(\"d=%h\", d);\nendmodule", "clk/1", "", "endmodule"},
        {"always @(posedge clk) show(q);\nendmodule", "clk/0", "", "endmodule"},
        {"always @(posedge clk) top.check;\nendmodule", "clk/0", "", "endmodule"},
        {"always @(start) -> done;\nendmodule", "start/-1", "", "endmodule"},
        {"always @(posedge clk) repeat (2) q <= d;\nendmodule", "clk/0", "q d", "endmodule"},
        {"always @(posedge clk) while (x) x = x - 1;\nassign y = x;", "clk/0", "x x-1", "assign"},
        {"always @(posedge clk) disable blk;\nendmodule", "clk/0", "", "endmodule"},
        {"always @(posedge clk) assert (q == d) else $error(\"q\");\nendmodule", "clk/0", "",
         "endmodule"},
        {"always @(posedge clk) top.u.x <= d;\nendmodule", "clk/0", "top.u.x d", "endmodule"},
    };
    expectBodies(std::begin(cases), std::end(cases));
}

TEST(AlwaysBlockParser, RegNamedLikeADeclarationWord) {
    AlwaysRun run("always @* begin\nbit = 1;\nend\nendmodule", {"bit"});
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.fixture.log.text(), "");
    EXPECT_EQ(run.stream(), "bit 1");
}

TEST(AlwaysBlockParser, CaseLabels) {
    const BodyCase cases[] = {
        {"always @* begin casez (d) 4'b1???: x = 1; 3'b 000 : x = 2;\n"
         "d[1] && (d[2] > 0) : x = 3; q : x = 4; a ? b : c : x = 5; y[1:0]: x = 6;\n"
         "default x = 0; endcase end\nendmodule",
         "*/-1",
         "case d; when 4'b1???; x 1; when 3'b000; x 2; when d[1]&&(d[2]>0); x 3; when q; x 4;"
         " when a?b:c; x 5; when y[1:0]; x 6; when default; x 0; end",
         "endmodule"},
        {"always @* case (s)\n!a && (b >> 2) < 4: begin x = 1; end\nendcase\nendmodule", "*/-1",
         "case s; when !a&&(b>>2)<4; begin; x 1; end; end", "endmodule"},
        {"always @* begin case (s) 0: if (a) x = 1; 1: x = 2; endcase end\nendmodule", "*/-1",
         "case s; when 0; if (a); x 1; when 1; x 2; end", "endmodule"},
    };
    expectBodies(std::begin(cases), std::end(cases));
}

// Variables declared at the start of a named block and hierarchical names
// are assignment targets like regs; the declarations add no statement.
TEST(AlwaysBlockParser, NamedBlockVariablesAndHierarchicalTargets) {
    const BodyCase cases[] = {
        {"always @(posedge clk) begin : blk\nreg [1:0] t; integer k;\nt = d; k = 1; end\n"
         "endmodule",
         "clk/0", "t d; k 1", "endmodule"},
        {"always @* begin if (a) begin : inner reg signed [3:0] u, v [0:1]; time w;\n"
         "u = 1; v[0] = 2; w = 3; end end\nendmodule",
         "*/-1", "if (a); begin; u 1; v[0] 2; w 3; end", "endmodule"},
        {"always @* begin for (i = 0; i < 2; i = i + 1) begin : loop integer j; j = i; end end\n"
         "endmodule",
         "*/-1", "for; j i; end", "endmodule"},
        {"always @* begin:blk x = 1; begin:inner y = 2; end end\nendmodule", "*/-1",
         "x 1; begin; y 2; end", "endmodule"},
        {"always @(posedge clk) begin top.u1.x <= d; Top.R[0] = 1; end\nendmodule", "clk/0",
         "top.u1.x d; top.r[0] 1", "endmodule"},
    };
    expectBodies(std::begin(cases), std::end(cases));
}

// Enough statements and declarations that the name lookup switches from
// scanning to hashing part way through the block.
TEST(AlwaysBlockParser, ManyStatementsOverManyDeclarations) {
    std::vector<std::string> regs;
    std::string source = "always @(posedge clk) begin\n";
    for (int i = 0; i < 100; ++i) {
        const std::string number = std::to_string(i);
        regs.push_back(std::string("r").append(number));
        if (i < 60) source.append("R").append(number).append(" <= d;\n");
    }
    source += "p <= d;\nw <= d;\nend\n";
    AlwaysRun run(source, regs, {"d", "p"});
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.fixture.log.text(),
              "#ERROR : test.v : 63 : syntax error at conditional experssion.\r\n");
    ASSERT_EQ(run.block().statements.size(), 61u);
    EXPECT_EQ(run.block().statements[59].target, "r59");
    EXPECT_EQ(run.block().statements[59].targetDisplay, "R59");
    EXPECT_EQ(run.block().statements[60].target, "p");
}

TEST(AlwaysBlockParser, LinesAndComments) {
    AlwaysRun run(
        "\n"
        "always @(posedge clk) begin // state register\n"
        "  if (rst) // reset\n"
        "    q <= 0;\n"
        "  else\n"
        "    q <= q +\n"
        "         1; // count\n"
        "  n <= q;\n"
        "end\n"
        "endmodule\n");
    ASSERT_EQ(run.result, 0);
    EXPECT_EQ(run.block().line, 2);
    struct Expected {
        const char* target;
        int line;
        const char* comment;
    };
    const Expected expected[] = {
        {"if", 3, "reset"}, {"q", 4, ""}, {"else", 5, ""}, {"q", 6, ""}, {"n", 8, ""},
    };
    ASSERT_EQ(run.block().statements.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(run.block().statements[i].target, expected[i].target) << i;
        EXPECT_EQ(run.block().statements[i].line, expected[i].line) << i;
        EXPECT_EQ(run.block().statements[i].comment, expected[i].comment) << i;
    }
    EXPECT_EQ(run.block().statements[3].value, "q+1");
    EXPECT_EQ(run.fixture.state->currentLine, 9);
}

struct ErrorCase {
    const char* source;
    int result;
    bool recorded;       // whether the Always record was appended
    const char* stream;  // statements gathered before the failure
    const char* log;
};

TEST(AlwaysBlockParser, ErrorsAndTruncatedBlocks) {
    const ErrorCase cases[] = {
        {"always @(posedge clk)", 1, false, "", "#ERROR : test.v : 1 : \"begin\" not exist.\r\n"},
        {"\nalways @(posedge clk\nor rst)", 1, false, "",
         "#ERROR : test.v : 2 : \"begin\" not exist.\r\n"},
        {"always @(posedge clk) w <= d;\nendmodule", 1, true, "",
         "#ERROR : test.v : 1 : Syntax error.(37)\r\n"},
        {"always @* begin x = 1;\nw = 1; end\nendmodule", 1, true, "x 1",
         "#ERROR : test.v : 2 : syntax error at conditional experssion.\r\n"},
        {"always @* begin\nq <= d", 1, true, "", "#ERROR : test.v : 2 : ';' not exist.(7)\r\n"},
        {"always @* begin\nout <= d", 1, true, "", "#ERROR : test.v : 2 : ';' not exist.(8)\r\n"},
        {"always @* begin\n{x, y} <= d", 1, true, "",
         "#ERROR : test.v : 2 : ';' not exist.(8)\r\n"},
        {"always @* begin\n{x, y};\nend", 1, true, "",
         "#ERROR : test.v : 2 : Imperfect formula error in always block.\r\n"},
        {"always @* begin\nif (a\nx = 1;", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion of 'if'.\r\n"},
        {"always @* begin\nif ((a) x = 1; end", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion of 'if'.\r\n"},
        {"always @* begin\nif (a) x = 1;\nelse if (b", 1, true, "if (a); x 1",
         "#ERROR : test.v : 3 : syntax error at conditional experssion of 'else if'.\r\n"},
        {"always @* begin\ncase (s", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion of 'case'.\r\n"},
        {"always @* begin\ncasex (s", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion of 'casex'.\r\n"},
        {"always @* begin\nfor (i = 0; i < 4;\ni = i + 1", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion of 'for'.\r\n"},
        // A for without begin-end has one statement, closed by an "end" marker.
        {"always @* begin\nfor (i = 0; i < 4; i = i + 1)\nx = 1;", 1, true, "for; x 1; end",
         "#ERROR : test.v : 3 : \"end\" not exist.\r\n"},
        {"always @* begin\nwhile (a", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion of 'while'.\r\n"},
        {"always @* begin\n$display(\"a\", (b);\nend", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion of '$display'.\r\n"},
        {"always @* begin\n$fdisplay(f, \"a;\nend", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion of '$fdisplay'.\r\n"},
        {"always @* begin\nx = 1;\n", 1, true, "x 1",
         "#ERROR : test.v : 2 : \"end\" not exist.\r\n"},
        {"always @* begin\nif (a) begin\nx = 1;\nend\n", 1, true, "if (a); begin; x 1; end",
         "#ERROR : test.v : 4 : \"end\" not exist.\r\n"},
        {"always @* begin\nif (a) x = 1;\nelse", 1, true, "if (a); x 1",
         "#ERROR : test.v : 3 : \"end\" not exist.\r\n"},
        {"always @* begin\ndisable blk", 1, true, "",
         "#ERROR : test.v : 2 : \"end\" not exist.\r\n"},
        {"always @* if (a)", 1, true, "if (a)", "#ERROR : test.v : 1 : \"end\" not exist.\r\n"},
        {"always @* begin\nrepeat (3", 1, true, "", "#ERROR : test.v : 2 : \"end\" not exist.\r\n"},
        {"always @* begin\n#", 1, true, "", "#ERROR : test.v : 2 : \"end\" not exist.\r\n"},
        {"always @* begin\nassert (x\n", 1, true, "",
         "#ERROR : test.v : 2 : \"end\" not exist.\r\n"},
        {"always @* begin\n$finish(", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion.\r\n"},
        {"always @* begin\ncase (s)\n3'b 000", 1, true, "case s",
         "#ERROR : test.v : 3 : syntax error at conditional experssion.\r\n"},
        // A label that runs into a statement end is no label.
        {"always @* begin\ncase (s)\nx = 1;\nendcase\nend", 1, true, "case s",
         "#ERROR : test.v : 3 : syntax error at conditional experssion.\r\n"},
        // A declaration is read only at the start of a block.
        {"always @* begin\nx = 1;\nreg r;\nend", 1, true, "x 1",
         "#ERROR : test.v : 3 : syntax error at conditional experssion.\r\n"},
        {"always @* begin\nw <= #1 d;\nend", 1, true, "",
         "#ERROR : test.v : 2 : syntax error at conditional experssion.\r\n"},
        // The module ends inside the block.
        {"always @* begin x = 1;\nendmodule", -1, true, "x 1", ""},
        {"always @* if (a)\nendmodul", -1, true, "if (a)", ""},
    };
    for (const ErrorCase& c : cases) {
        AlwaysRun run(c.source);
        EXPECT_EQ(run.result, c.result) << c.source;
        EXPECT_EQ(run.fixture.log.text(), c.log) << c.source;
        ASSERT_EQ(run.fixture.module.alwaysBlocks.size(), c.recorded ? 1u : 0u) << c.source;
        if (c.recorded) {
            EXPECT_EQ(run.stream(), c.stream) << c.source;
        }
    }
}

TEST(AlwaysBlockParser, HeaderStopsBeforeEndmodule) {
    AlwaysRun run("always @(posedge clk)\nendmodule");
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.fixture.log.text(), "#ERROR : test.v : 1 : \"begin\" not exist.\r\n");
    EXPECT_EQ(run.fixture.nextItemToken(), "endmodule");
}

// Token soup read the way the module loop reads it: every always block ends,
// each parse consumes tokens, and the text is finished after a bounded number
// of steps.
TEST(AlwaysBlockParser, MalformedTokenSoupEnds) {
    const std::vector<std::string> words = {
        "always", "@(posedge", "clk)",    "begin",     "end",   "if(",     "if(a)begin",
        "(",      ")",         "else",    "case(",     "casex", "endcase", "for",
        "while(", "x",         "q",       "<=",        "=",     "d;",      ";",
        "0:",     ":",         "default", "$display(", "\"a;",  "disable", "{x,",
        "y}",     "`ifdef",    "begin:",  "endmodule", "\n",    "\n",      "wire",
        "assign", "or",        "*",       "@*",        "1;",    "repeat(", "#5",
        "#(",     "@",         "assert(", "$finish;",  "->",    "forever", "wait(",
        "reg",    "3'b",       "i<4;",    "a?b",       "fork",  "join",    "t.x"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
    for (int round = 0; round < 300; ++round) {
        std::string source;
        for (int i = 0; i < 80; ++i) source += words[pick(random)] + " ";
        VerilogParseFixture fixture(source);
        int steps = 0;
        while (!fixture.state->exhausted() && steps < 10000) {
            ++steps;
            const std::string token = fixture.nextItemToken();
            if (!token.starts_with("always")) continue;
            const int result = parseAlways(*fixture.state, token);
            EXPECT_TRUE(result == 0 || result == 1 || result == -1) << source;
            if (result == -1) break;
        }
        EXPECT_LT(steps, 10000) << source;
    }
}

}  // namespace
}  // namespace corvane
