#include "verilog/initial_block_parser.h"

#include <gtest/gtest.h>

#include "support/verilog_parse_fixture.h"

namespace corvane {
namespace {

using testing::VerilogParseFixture;

struct InitialCase {
    const char* source;
    int result;
    int recorded;           // number of Initial records
    const char* nextToken;  // what the module loop reads next
    const char* log;
};

TEST(InitialBlockParser, RecordsBlocksAndSkipsTheirBodies) {
    const InitialCase cases[] = {
        {"initial begin\n a = 0;\n b = 1;\nend\nendmodule\n", 0, 1, "endmodule", ""},
        // A single statement is not recorded.
        {"initial a = 0;\nendmodule\n", 0, 0, "endmodule", ""},
        {"initial\nbegin\n a = 0;\nend\nassign y = a;\n", 0, 1, "assign", ""},
        // Nested levels, including a "begin" glued to a condition or a label.
        {"initial begin\n if (a) begin\n x = 1;\n end\n case (s)\n 0:begin y = 1; end\n"
         " endcase\n begin z = 0; end\nend\nendmodule\n",
         0, 1, "endmodule", ""},
        {"initial", 1, 0, "", "#ERROR : test.v : 1 : \"begin\" not exist.\r\n"},
        {"initial\n#10", 1, 0, "", "#ERROR : test.v : 2 : \"begin\" not exist.\r\n"},
        {"initial begin\n a = 0;\n", 1, 1, "", "#ERROR : test.v : 2 : \"end\" not exist.\r\n"},
        // "endmodule" inside the body is left for the module loop.
        {"initial begin\n a = 0;\nendmodule\n", 1, 1, "endmodule",
         "#ERROR : test.v : 3 : \"end\" not exist.\r\n"},
        {"initial\nendmodule\n", 1, 0, "endmodule",
         "#ERROR : test.v : 2 : \"begin\" not exist.\r\n"},
        // Any single statement is the whole body; one holding a begin-end or
        // fork-join block is recorded.
        {"initial for (i = 0; i < 4; i = i + 1) m[i] = 0;\nendmodule\n", 0, 0, "endmodule", ""},
        {"initial for (i = 0; i < 4; i = i + 1) begin m[i] = 0; end\nendmodule\n", 0, 1,
         "endmodule", ""},
        {"initial $readmemh(\"a;b.hex\", m);\nassign y = a;\n", 0, 0, "assign", ""},
        {"initial #10 $finish;\nendmodule\n", 0, 0, "endmodule", ""},
        {"initial forever #5 clk = ~clk;\nendmodule\n", 0, 0, "endmodule", ""},
        {"initial if (a) x = 1; else begin x = 2; end\nendmodule\n", 0, 1, "endmodule", ""},
        {"initial if (a) x = 1;\nelse x = 2;\nendmodule\n", 0, 0, "endmodule", ""},
        {"initial fork #1 x = 0; #2 x = 1; join\nendmodule\n", 0, 1, "endmodule", ""},
        {"initial begin : blk integer k;\nfor (k = 0; k < 2; k = k + 1) $display(\"end\");\nend\n"
         "endmodule\n",
         0, 1, "endmodule", ""},
        {"initial\n#10 begin x = 1; end\nendmodule\n", 0, 1, "endmodule", ""},
        {"initial begin repeat (2) @(posedge clk); -> ev; wait (x); end\nendmodule\n", 0, 1,
         "endmodule", ""},
        {"initial if (a) x = 1; else", 1, 0, "", "#ERROR : test.v : 1 : \"begin\" not exist.\r\n"},
        {"initial fork\nx = 1;\n", 1, 1, "", "#ERROR : test.v : 2 : \"end\" not exist.\r\n"},
    };
    for (const InitialCase& c : cases) {
        VerilogParseFixture fixture(c.source);
        ASSERT_EQ(fixture.nextItemToken(), "initial") << c.source;
        EXPECT_EQ(parseInitial(*fixture.state), c.result) << c.source;
        EXPECT_EQ(fixture.module.initialBlocks.size(), static_cast<std::size_t>(c.recorded))
            << c.source;
        EXPECT_EQ(fixture.log.text(), c.log) << c.source;
        EXPECT_EQ(fixture.nextItemToken(), c.nextToken) << c.source;
    }
}

TEST(InitialBlockParser, KeepsTheKeywordLineAndFollowsLineMarkers) {
    VerilogParseFixture fixture("\n\ninitial\nbegin\n a = 0;\n\nend\nendmodule\n");
    ASSERT_EQ(fixture.nextItemToken(), "initial");
    ASSERT_EQ(parseInitial(*fixture.state), 0);
    ASSERT_EQ(fixture.module.initialBlocks.size(), 1u);
    EXPECT_EQ(fixture.module.initialBlocks[0].line, 3);
    EXPECT_TRUE(fixture.module.initialBlocks[0].statements.empty());
    EXPECT_EQ(fixture.state->currentLine, 7);
}

}  // namespace
}  // namespace corvane
