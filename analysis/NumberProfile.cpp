#include "analysis/NumberProfile.h"

#include <cstdlib>

namespace tricala {

namespace {

// Bytes of the UTF-8 character that starts at `lead`. A stray continuation
// byte or a truncated sequence is taken as one character of what is left,
// so malformed input still walks forward and never reads past the end.
std::size_t Utf8CharLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xF0) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
    const std::size_t left = text.size() - at;
    return length < left ? length : left;
}

// An ASCII character is one byte of the Chinese code page, anything else two.
int LocalWidth(std::string_view character) {
    return static_cast<unsigned char>(character[0]) < 0x80 ? 1 : 2;
}

int DigitValue(std::string_view character) {
    if (character.size() == 1 && character[0] >= '0' && character[0] <= '9') return character[0] - '0';
    return 0;
}

// 0..2 small, 3..6 middle, 7..9 big: the class of a single digit value.
const char* SizeClass(int value) {
    if (value < 3) return "小";
    if (value < 7) return "中";
    return "大";
}

}  // namespace

NumberPositions PositionCharacters(std::string_view number) {
    NumberPositions positions;
    int localByte = 1;  // code-page position of the character at `at`
    for (std::size_t at = 0; at < number.size();) {
        const std::string_view character = number.substr(at, Utf8CharLength(number, at));
        if (localByte == 1) positions.first = character;
        if (localByte == 2) positions.second = character;
        positions.last = character;
        localByte += LocalWidth(character);
        at += character.size();
    }
    return positions;
}

int LocalByteLength(std::string_view utf8) {
    int length = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t size = Utf8CharLength(utf8, at);
        length += LocalWidth(utf8.substr(at, size));
        at += size;
    }
    return length;
}

NumberProfile ProfileNumber(std::string_view number) {
    const NumberPositions chars = PositionCharacters(number);
    NumberProfile profile;
    profile.digit1 = chars.first;
    profile.digit2 = chars.second;
    profile.digit3 = chars.last;

    const int d[3] = {DigitValue(chars.first), DigitValue(chars.second), DigitValue(chars.last)};

    for (int value : d) profile.oddEven += value % 2 == 1 ? "单" : "双";

    const bool allDifferent = d[0] != d[1] && d[1] != d[2] && d[0] != d[2];
    for (int i = 0; i < 3; ++i) {
        if (!allDifferent) {
            profile.sizePattern += SizeClass(d[i]);
            continue;
        }
        // Rank among three different values: count how many others are smaller.
        int smaller = 0;
        for (int j = 0; j < 3; ++j) smaller += d[j] < d[i] ? 1 : 0;
        profile.sizePattern += smaller == 2 ? "大" : smaller == 1 ? "中" : "小";
    }

    profile.sumText = std::to_string(d[0] + d[1] + d[2]);

    profile.gaps = {static_cast<char>('0' + std::abs(d[0] - d[1])),
                    static_cast<char>('0' + std::abs(d[1] - d[2])),
                    static_cast<char>('0' + std::abs(d[0] - d[2]))};
    return profile;
}

}  // namespace tricala
