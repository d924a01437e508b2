// The size-pattern and sum filters: strike every candidate whose pattern or
// sum is the caption of a ticked box, read from the boxes as they stand.

#include <QCheckBox>
#include <algorithm>
#include <string>
#include <vector>

#include "app/Handlers.h"
#include "app/MainWindow.h"

namespace tricala {
namespace {

// Boxes in the order the tests visit them.
constexpr int kSizeBoxes[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                              15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
constexpr int kSumBoxes[] = {30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43,
                             44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57};
constexpr int kSelectAllSizes = 28;
constexpr int kSelectAllSums = 29;

// Captions of the ticked boxes, in visiting order, taken as the pass
// starts: a box ticked while the pass runs counts from the next pass on,
// never for half of this one.
template <std::size_t N>
std::vector<std::string> TickedCaptions(const MainWindow& w, const int (&boxes)[N]) {
    std::vector<std::string> captions;
    for (int n : boxes)
        if (w.选择框[n]->isChecked()) captions.push_back(w.选择框[n]->text().toStdString());
    return captions;
}

bool IsOneOf(const std::vector<std::string>& captions, const std::string& text) {
    return std::find(captions.begin(), captions.end(), text) != captions.end();
}

template <std::size_t N>
void SetAll(MainWindow& w, const int (&boxes)[N], bool checked) {
    for (int n : boxes) w.选择框[n]->setChecked(checked);
}

}  // namespace

void SizePatternFilter(MainWindow& w) {
    const std::vector<std::string> ticked = TickedCaptions(w, kSizeBoxes);
    RunFilterPass(
        w, [&ticked](const NumberProfile& p) { return IsOneOf(ticked, p.sizePattern); },
        /*letMessagesThrough=*/true);
}

void SumFilter(MainWindow& w) {
    const std::vector<std::string> ticked = TickedCaptions(w, kSumBoxes);
    RunFilterPass(
        w, [&ticked](const NumberProfile& p) { return IsOneOf(ticked, p.sumText); },
        /*letMessagesThrough=*/true);
}

void SelectAllSizePatterns(MainWindow& w) {
    SetAll(w, kSizeBoxes, w.选择框[kSelectAllSizes]->isChecked());
}

void SelectAllSums(MainWindow& w) { SetAll(w, kSumBoxes, w.选择框[kSelectAllSums]->isChecked()); }

}  // namespace tricala
