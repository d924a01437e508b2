#pragma once
// The digit heat ranking: for each position of a winning number, the ten
// digits ordered by how often they came up there (ties: larger digit first).

#include <array>

namespace tricala {

class DrawStore;

// counts[p][v]: how often digit v stood at position p (0..2) of 中奖号.
using DigitCounts = std::array<std::array<int, 10>, 3>;

struct HeatRow {
    int heat = 0;                  // 9 for the top row down to 0
    std::array<int, 3> digit{};    // the digit of this rank, per position
    std::array<int, 3> count{};    // its count, per position
};
using HeatRanking = std::array<HeatRow, 10>;  // row 0 is the top row

// Walks the whole table for each position and digit; leaves the cursor on
// the first record. Position 3 is the last character of 中奖号.
DigitCounts CountDigits(DrawStore& store);

HeatRanking RankDigits(const DigitCounts& counts);

}  // namespace tricala
