#include "vhdl/vhdl_parse_state.h"

#include <gtest/gtest.h>

#include "support/vhdl_parse_fixture.h"
#include "verilog/verilog_parse_state.h"

namespace corvane {
namespace {

using testing::VhdlParseFixture;

// Marker digits are read in place only when they are few and end the token;
// every marker must give the line lineMarkerNumber() gives.
TEST(VhdlParseState, MarkerLinesAgreeWithTheGeneralReading) {
    const char* markers[] = {"%%1",           "%%0",   "%%007", "%%123456789", "%%1234567890",
                             "%%99999999999", "%%12a", "%%a12", "%%",          "%%-3",
                             "%% 4",          "%%+5",  "%%3;",  "%%%%2"};
    for (const char* marker : markers) {
        SCOPED_TRACE(marker);
        VhdlParseFixture fixture("");
        fixture.state->currentLine = -7;
        EXPECT_TRUE(fixture.state->followMarker(marker));
        EXPECT_EQ(fixture.state->currentLine, lineMarkerNumber(marker));
    }
}

TEST(VhdlParseState, OtherTokensAreNoMarkers) {
    for (const char* token : {"", "%", "%1", "a%%1", " %%1", "%x%"}) {
        SCOPED_TRACE(token);
        VhdlParseFixture fixture("");
        fixture.state->currentLine = 4;
        EXPECT_FALSE(fixture.state->followMarker(token));
        EXPECT_EQ(fixture.state->currentLine, 4);
    }
}

}  // namespace
}  // namespace corvane
