#include "tests/reliability/CandidateRules.h"

#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace tricala::test {
namespace {

struct Digits {
    int first, second, third;
};

Digits DigitsOf(int n) { return {n / 100, n / 10 % 10, n % 10}; }

QString SizeClass(int digit) { return digit <= 2 ? u"小"_s : digit <= 6 ? u"中"_s : u"大"_s; }

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The characters of `text`: a surrogate pair is one character, a lone
// surrogate one of its own.
std::vector<QString> Characters(const QString& text) {
    std::vector<QString> characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            characters.push_back(text.mid(i, 2));
            ++i;
        } else {
            characters.push_back(text.mid(i, 1));
        }
    }
    return characters;
}

int DigitOf(const QString& character) {
    return character.size() == 1 && IsAsciiDigit(character[0]) ? character[0].unicode() - u'0' : -1;
}

}  // namespace

QString OddEvenOf(int n) {
    const Digits d = DigitsOf(n);
    QString pattern;
    for (int digit : {d.first, d.second, d.third}) pattern += digit % 2 ? u"单"_s : u"双"_s;
    return pattern;
}

QString SizePatternOf(int n) {
    const Digits d = DigitsOf(n);
    const int digits[] = {d.first, d.second, d.third};
    QString pattern;
    if (d.first == d.second || d.second == d.third || d.first == d.third) {
        for (int digit : digits) pattern += SizeClass(digit);
        return pattern;
    }
    // Three different digits: by rank, smallest 小, middle 中, biggest 大.
    for (int digit : digits) {
        const int below = (digit > d.first) + (digit > d.second) + (digit > d.third);
        pattern += below == 0 ? u"小"_s : below == 1 ? u"中"_s : u"大"_s;
    }
    return pattern;
}

int DigitSumOf(int n) {
    const Digits d = DigitsOf(n);
    return d.first + d.second + d.third;
}

QString GapsOf(int n) {
    const Digits d = DigitsOf(n);
    return QString::number(std::abs(d.first - d.second)) + QString::number(std::abs(d.second - d.third)) +
           QString::number(std::abs(d.first - d.third));
}

NumberSet NumbersWhere(bool (*test)(int, const QString&), const QString& arg) {
    NumberSet numbers;
    for (int n = 0; n < 1000; ++n)
        if (test(n, arg)) numbers.insert(n);
    return numbers;
}

int CodePageLength(const QString& text) {
    int length = 0;
    for (const QString& c : Characters(text)) {
        const bool oneByte = c[0].unicode() < 0x80 || (c.size() == 1 && c[0].isSurrogate());
        length += oneByte ? 1 : 2;
    }
    return length;
}

NumberSet SharingPositions(SharedPositions which, const QString& lastDraw) {
    const std::vector<QString> c = Characters(lastDraw);
    if (c.empty()) return {};
    int position[2] = {0, 1};  // of the number: 0 first digit, 1 second, 2 third
    QString from[2];
    switch (which) {
        case SharedPositions::FirstTwo:
            if (c.size() < 2) return {};
            from[0] = c[0], from[1] = c[1];
            break;
        case SharedPositions::LastTwo:
            if (c.size() < 2) return {};
            from[0] = c[c.size() - 2], from[1] = c.back();
            position[0] = 1, position[1] = 2;
            break;
        case SharedPositions::FirstAndLast:
            from[0] = c.front(), from[1] = c.back();
            position[1] = 2;
            break;
    }
    const int wanted[2] = {DigitOf(from[0]), DigitOf(from[1])};
    if (wanted[0] < 0 || wanted[1] < 0) return {};
    NumberSet numbers;
    for (int n = 0; n < 1000; ++n) {
        const Digits d = DigitsOf(n);
        const int digits[] = {d.first, d.second, d.third};
        if (digits[position[0]] == wanted[0] && digits[position[1]] == wanted[1]) numbers.insert(n);
    }
    return numbers;
}

NumberSet WithGaps(const QString& text) {
    return NumbersWhere([](int n, const QString& gaps) { return GapsOf(n) == gaps; }, text);
}

}  // namespace tricala::test
