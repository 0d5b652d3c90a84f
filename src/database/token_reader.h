// Reading a module's prepared text one blank-separated token at a time.
#pragma once

#include <string>
#include <string_view>

#include "database/records.h"

namespace corvane {

class ProgressSink;

// The next token of `module.text`, or "" when the text is exhausted. A token
// that is exactly a parameter name is returned as the parameter's value; the
// last token of the text is returned as it stands and is not counted.
std::string nextToken(Module& module);

// The same token as nextToken, with the same effect on the read position, as
// a view into the module text or into the parameter's value. The view stays
// valid until the text or the parameters change; parsers that only compare or
// copy the token use it to save a string per token.
std::string_view nextTokenView(Module& module);

// Steps back so that the token last returned is returned again.
void pushBackToken(Module& module);

// Parse progress: 50 + tokensRead * 50 / tokenCount.
void sendParseProgress(const Module& module, ProgressSink& progress);

// Whether a token is a line marker ("%%" followed by the line number).
inline bool isLineMarker(const std::string& token) { return token.starts_with("%%"); }
inline bool isLineMarkerText(std::string_view token) { return token.starts_with("%%"); }

// Line number of a line marker token ("%%12" gives 12).
int lineMarkerNumber(std::string_view token);

// Removes every line marker ("%%" followed by digits) from a glued text.
std::string removeLineMarkers(std::string_view text);

}  // namespace corvane
