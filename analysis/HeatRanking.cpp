#include "analysis/HeatRanking.h"

#include <algorithm>
#include <functional>

#include "analysis/NumberProfile.h"
#include "store/DrawStore.h"

namespace tricala {

namespace {

std::string_view CharacterAt(const NumberPositions& chars, int position) {
    switch (position) {
        case 0: return chars.first;
        case 1: return chars.second;
        default: return chars.last;
    }
}

// Counts the records whose 中奖号 has `digit` at `position` with one find per
// hit. The walk is bounded by the record count, so it ends even if a find
// were to stand still.
int CountRecordsWithDigit(DrawStore& store, int position, char digit) {
    const char wanted[2] = {digit, '\0'};
    const auto holdsDigit = [&] {
        return CharacterAt(PositionCharacters(store.ReadText(Field::中奖号)), position) == wanted;
    };
    const int records = store.RecordCount();
    int count = 0;
    store.GoFirst();
    while (count < records && store.FindForward(holdsDigit)) {
        ++count;
        store.Skip();
    }
    store.GoFirst();
    return count;
}

}  // namespace

DigitCounts CountDigits(DrawStore& store) {
    DigitCounts counts{};
    for (int position = 0; position < 3; ++position)
        for (int v = 0; v < 10; ++v) counts[position][v] = CountRecordsWithDigit(store, position, static_cast<char>('0' + v));
    store.GoFirst();
    return counts;
}

HeatRanking RankDigits(const DigitCounts& counts) {
    HeatRanking rows{};
    for (int r = 0; r < 10; ++r) rows[r].heat = 9 - r;
    for (int position = 0; position < 3; ++position) {
        // count * 10 + digit orders by count and breaks ties by the larger digit.
        std::array<long long, 10> packs{};
        for (int v = 0; v < 10; ++v) packs[v] = static_cast<long long>(counts[position][v]) * 10 + v;
        std::sort(packs.begin(), packs.end(), std::greater<>());
        for (int r = 0; r < 10; ++r) {
            rows[r].digit[position] = static_cast<int>(packs[r] % 10);
            rows[r].count[position] = static_cast<int>(packs[r] / 10);
        }
    }
    return rows;
}

}  // namespace tricala
