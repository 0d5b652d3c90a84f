// The design units of a file, one module at a time: where the units of the
// module being read end, where the next module's text begins, and an
// entity's architecture that stands further down the file.
#pragma once

#include <string>
#include <string_view>

#include "database/analysis_context.h"
#include "vhdl/vhdl_parse_state.h"

namespace corvane {

// The line of the last line marker before `pos` in the prepared text, or 0.
int lineAt(std::string_view text, int pos);

// Once a unit is complete, the first token at the outer level (a context
// clause, or the next unit's keyword) marks where the next module would
// start. When the unit there cannot join the module, reading stops and the
// rest of the text is kept for the next call. An entity whose architecture
// does not follow it gets the architecture from further down the file: the
// reading goes there, reads it and comes back, and the later module that
// meets the same text passes over it.
class UnitSequence {
public:
    enum class Turn {
        kGoOn,   // the token is read as usual
        kStop,   // the module is complete; the read position is where the next one starts
        kMoved,  // the read position was moved; the token is not read
    };

    UnitSequence();

    // Follows a line marker; true when `token` is one. Inline, as the next
    // test: every token of the text passes both.
    bool atMarker(VhdlParseState& state, std::string_view token, int position, int tokensRead) {
        const bool marker = state.followMarker(token);
        if (marker) {
            markerPos_ = position;
            markerRead_ = tokensRead;
        }
        afterMarker_ = marker;
        return marker;
    }

    // What to do with `token`, read at `position` of the text. Inside a
    // unit, with no text read before to pass over, the token is read.
    Turn turnAt(VhdlParseState& state, std::string_view token, int position, int tokensRead) {
        if (!passesOver_) {
            if (!state.unitRead) return Turn::kGoOn;
            const bool outside = state.unit == kOutsideUnit ||
                                 (state.unit == kPackage && state.packageName.empty());
            if (!outside) {
                next_.pos = -1;
                return Turn::kGoOn;
            }
        }
        return turnAtOuterLevel(state, token, position, tokensRead);
    }

    // The text has run out: a visit further down the file comes back.
    void atEnd(VhdlParseState& state);

    bool stopped() const { return stopped_; }

    // Hands the rest of the text on to the next call, which starts at the
    // line where the next unit begins (or at the line after the one this
    // call started on, when the units share a line).
    void keepRest(VhdlParseState& state, AnalysisContext& context);

private:
    struct Place {
        int pos = -1;
        int read = 0;
        int line = 0;
    };

    Turn turnAtOuterLevel(VhdlParseState& state, std::string_view token, int position,
                          int tokensRead);
    Turn stopAt(VhdlParseState& state, const Place& place);
    bool visitLaterArchitecture(VhdlParseState& state);
    void comeBack(VhdlParseState& state, int end);

    int markerPos_ = 0;
    int markerRead_ = 0;
    bool afterMarker_ = false;
    Place next_;            // where the next module's text begins
    Place back_;            // where to come back to from a visit
    int visitBegin_ = -1;   // position of the architecture visited, or -1
    bool stopped_ = false;
    bool passesOver_ = false;  // the file has text read by an earlier module
};

}  // namespace corvane
