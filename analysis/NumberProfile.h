#pragma once
// The profile of a number text: its digits, odd/even and size patterns, digit
// sum and position distances, each as the text that the panel shows and the
// filters compare.

#include <string>
#include <string_view>

namespace tricala {

struct NumberProfile {
    std::string digit1, digit2, digit3;  // one character each, or empty
    std::string oddEven;                 // e.g. "单双单"
    std::string sizePattern;             // e.g. "小中大"
    std::string sumText;                 // "0" .. "27"
    std::string gaps;                    // e.g. "448"
};

// `number` is UTF-8. Positions count bytes of the Chinese code page the
// player's texts come from: an ASCII character is one byte, any other
// character two. digit1/digit2 are the characters at bytes 1 and 2, digit3
// the last character; a position inside a double-byte character is empty.
// Never fails: a non-digit counts as 0.
NumberProfile ProfileNumber(std::string_view number);

// The characters at the three positions that ProfileNumber reads, as views
// into the argument (empty where the text has no such character). Shared
// with the heat count, which must place digits exactly as the profile does.
struct NumberPositions {
    std::string_view first, second, last;
};
NumberPositions PositionCharacters(std::string_view number);

// Length of a UTF-8 text in bytes of the Chinese code page (see above).
int LocalByteLength(std::string_view utf8);

}  // namespace tricala
