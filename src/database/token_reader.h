// Reading a module's prepared text one blank-separated token at a time.
#pragma once

#include <string>

#include "database/records.h"

namespace corvane {

class ProgressSink;

// The next token of `module.text`, or "" when the text is exhausted. A token
// that is exactly a parameter name is returned as the parameter's value; the
// last token of the text is returned as it stands and is not counted.
std::string nextToken(Module& module);

// Steps back so that the token last returned is returned again.
void pushBackToken(Module& module);

// Parse progress: 50 + tokensRead * 50 / tokenCount.
void sendParseProgress(const Module& module, ProgressSink& progress);

// Whether a token is a line marker ("%%" followed by the line number).
inline bool isLineMarker(const std::string& token) { return token.starts_with("%%"); }

}  // namespace corvane
