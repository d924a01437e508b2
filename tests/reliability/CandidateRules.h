#pragma once
// What each filter button strikes, worked out from the button's rule over
// the numbers 0..999 ("000".."999"), apart from the program's own code, so
// the tests can hold the program to it.

#include <QString>
#include <set>

namespace tricala::test {

using NumberSet = std::set<int>;

// Odd/even pattern ("单双单"), size pattern ("小中大") and digit sum of n.
QString OddEvenOf(int n);
QString SizePatternOf(int n);
int DigitSumOf(int n);
// Position distances |d1-d2|, |d2-d3|, |d1-d3| as three digits ("448").
QString GapsOf(int n);

NumberSet NumbersWhere(bool (*)(int, const QString&), const QString& arg);

// Length of `text` in bytes of the Chinese code page the player types in:
// an ASCII character one byte, any other character two; a lone surrogate,
// which no code page can hold, becomes one "?".
int CodePageLength(const QString& text);

// The repeated-position buttons: the ten numbers that share the given two
// positions with `lastDraw`; none unless both characters there are ASCII
// digits. Positions are characters of the text: the first two, the last
// two, or the first and the last.
enum class SharedPositions { FirstTwo, LastTwo, FirstAndLast };
NumberSet SharingPositions(SharedPositions which, const QString& lastDraw);

// The position-distance button: the numbers whose distances are `text`.
NumberSet WithGaps(const QString& text);

}  // namespace tricala::test
