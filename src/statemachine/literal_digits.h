// The digits of Verilog number literals such as 4'hA or 2'b10, as the state
// machine code reads them: the base the letter after the quote selects, and
// the value of one digit character.
#pragma once

namespace corvane {

// b or B 2, d or D 10, h or H 16, o or O 8; `otherwise` for any other letter.
int literalBase(char letter, int otherwise);

// 0 to 15 for the digits and letters a to f (either case); 99 for any other
// character, so it is never a digit of a base.
int digitValue(char c);

}  // namespace corvane
