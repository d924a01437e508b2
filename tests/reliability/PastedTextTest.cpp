// Hostile text in the two number boxes, pasted or written: whatever is in
// them, every filter button strikes exactly what its rule allows, shows the
// message its rule asks for, and nothing else happens.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "app/NumberEdit.h"
#include "platform/MessageBox.h"
#include "tests/reliability/CandidateRules.h"
#include "tests/ui/UiFixture.h"

using namespace Qt::StringLiterals;

namespace tricala::test {
namespace {

struct HostileText {
    const char* what;
    QString text;
};

std::vector<HostileText> HostileTexts() {
    QString thousand;
    for (int i = 0; i < 100; ++i) thousand += u"1234567890"_s;
    return {
        {"plain number", u"123"_s},
        {"letters", u"abc"_s},
        {"digits then a letter", u"12a"_s},
        {"Chinese", u"中文"_s},
        {"Chinese then a digit", u"中1"_s},
        {"digits around Chinese", u"5中5"_s},
        {"1000 characters", thousand},
        {"tab between digits", u"1\t2"_s},
        {"newline after digits", u"12\n"_s},
        {"other control characters", u"\x01" "9\x7f"_s},
        {"lone high surrogate first", QString(QChar(0xD800)) + u"12"_s},
        {"lone low surrogate between digits", u"1"_s + QChar(0xDC00) + u"1"_s},
        {"emoji then digits", u"😀12"_s},
        {"digit then emoji", u"7😀"_s},
        {"full-width digits", u"１２３"_s},
    };
}

enum class Entry { Paste, SetText };
void PrintTo(Entry entry, std::ostream* out) { *out << (entry == Entry::Paste ? "pasted" : "written"); }

class HostileInput : public UiFixture, public ::testing::WithParamInterface<Entry> {
protected:
    void Enter(QLineEdit* edit, const QString& text) {
        if (GetParam() == Entry::SetText) {
            edit->setText(text);
            return;
        }
        edit->clear();
        QApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }

    NumberSet StruckNumbers() const {
        NumberSet struck;
        const std::vector<Record>& records = w->store()->Records();
        for (int n = 0; n < 1000; ++n)
            if (records[static_cast<size_t>(n)].备选号.empty()) struck.insert(n);
        return struck;
    }

    // Captions of the ticked boxes among `first`..`last`.
    QStringList TickedCaptions(int first, int last) const {
        QStringList captions;
        for (int n = first; n <= last; ++n)
            if (w->选择框[n]->isChecked()) captions << w->选择框[n]->text();
        return captions;
    }
};

struct ButtonRule {
    QPushButton* button;
    std::function<NumberSet()> struck;
    std::function<QString()> message;  // the message box text, or empty
};

std::string Printable(const QString& text) {
    std::string out;
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) out += static_cast<char>(c.unicode());
        else out += "\\u" + QString::number(c.unicode(), 16).toStdString();
    }
    return out.size() > 40 ? out.substr(0, 40) + "..." : out;
}

TEST_P(HostileInput, EveryFilterButtonKeepsToItsRule) {
    Start();
    for (int n : {19, 1, 14}) w->选择框[n]->setChecked(true);  // three size patterns
    w->选择框[43]->setChecked(true);                              // sum 13, beside 0 and 27
    const QStringList sizes = TickedCaptions(1, 27);
    const QStringList sums = TickedCaptions(30, 57);
    ASSERT_EQ(sizes.size(), 3);
    ASSERT_EQ(sums.size(), 3);

    QString lastDraw, gaps;  // the boxes' texts for the case at hand
    const std::pair<QPushButton*, QString> oddEven[] = {
        {w->按钮8, u"单单单"_s}, {w->按钮12, u"单单双"_s}, {w->按钮5, u"单双单"_s}, {w->按钮6, u"单双双"_s},
        {w->按钮10, u"双单单"_s}, {w->按钮9, u"双单双"_s}, {w->按钮11, u"双双单"_s}, {w->按钮7, u"双双双"_s},
    };
    std::vector<ButtonRule> rules;
    for (const auto& [button, pattern] : oddEven) {
        rules.push_back({button,
                         [pattern] { return NumbersWhere([](int n, const QString& p) { return OddEvenOf(n) == p; },
                                                         pattern); },
                         [] { return QString(); }});
    }
    rules.push_back({w->大小钮,
                     [&sizes] {
                         return NumbersWhere([](int n, const QString& s) { return s.split(u'|').contains(SizePatternOf(n)); },
                                             sizes.join(u'|'));
                     },
                     [] { return QString(); }});
    rules.push_back({w->相加钮,
                     [&sums] {
                         return NumbersWhere(
                             [](int n, const QString& s) { return s.split(u'|').contains(QString::number(DigitSumOf(n))); },
                             sums.join(u'|'));
                     },
                     [] { return QString(); }});
    const std::pair<QPushButton*, SharedPositions> repeats[] = {
        {w->按钮2, SharedPositions::FirstTwo},
        {w->按钮3, SharedPositions::LastTwo},
        {w->按钮4, SharedPositions::FirstAndLast},
    };
    for (const auto& [button, which] : repeats) {
        rules.push_back({button, [&lastDraw, which] { return SharingPositions(which, lastDraw); },
                         [&lastDraw] { return lastDraw.isEmpty() ? u"输入框不能为空，请输入上期号码！"_s : QString(); }});
    }
    const auto gapsMessage = [&gaps] {
        if (gaps.isEmpty()) return u"请输入3位数字！"_s;
        return CodePageLength(gaps) != 3 ? u"只能输入3位数字！"_s : QString();
    };
    rules.push_back({w->按钮13, [&gaps, gapsMessage] { return gapsMessage().isEmpty() ? WithGaps(gaps) : NumberSet(); },
                     gapsMessage});

    // The filters need a number of three code-page bytes in 编辑框1: with
    // any other text there the whole tab control, 编辑框2 included, is
    // disabled and no button does anything.
    struct Setup {
        const char* what;
        bool hostilePanel;  // the text goes into 编辑框1 too, else "123" stays there
    };
    for (const HostileText& c : HostileTexts()) {
        for (const Setup& setup : {Setup{"in both boxes", true}, Setup{"in 编辑框2 only", false}}) {
            SCOPED_TRACE(std::string(c.what) + " " + setup.what + ": \"" + Printable(c.text) + "\"");
            w->编辑框1->setText(u"123"_s);
            Enter(w->编辑框2, c.text);
            if (setup.hostilePanel) Enter(w->编辑框1, c.text);
            lastDraw = w->编辑框1->text();
            gaps = w->编辑框2->text();
            // A box holds what was put in it, but for what a one-line box drops.
            if (!c.text.contains(u'\n')) {
                EXPECT_EQ(gaps, c.text);
                if (setup.hostilePanel) {
                    EXPECT_EQ(lastDraw, c.text);
                }
            }
            const bool filtersOn = CodePageLength(lastDraw) == 3;
            EXPECT_EQ(w->选择夹1->isEnabled(), filtersOn);

            for (const ButtonRule& rule : rules) {
                SCOPED_TRACE(rule.button->objectName().toStdString());
                Click(w->按钮1);
                ASSERT_TRUE(StruckNumbers().empty());
                platform::ClearShownMessages();
                Click(rule.button);
                const NumberSet expected = filtersOn ? rule.struck() : NumberSet();
                const NumberSet struck = StruckNumbers();
                EXPECT_TRUE(struck == expected) << "struck " << struck.size() << " numbers, the rule " << expected.size();
                const QString message = filtersOn ? rule.message() : QString();
                if (message.isEmpty()) {
                    EXPECT_TRUE(platform::ShownMessages().empty()) << platform::ShownMessages()[0].text.toStdString();
                } else {
                    ASSERT_EQ(platform::ShownMessages().size(), 1u);
                    EXPECT_EQ(platform::ShownMessages()[0].text, message);
                }
                QStringList shown = CandidateRows(), live = LiveCandidates();
                shown.sort();
                live.sort();
                EXPECT_TRUE(shown == live) << "the list shows " << shown.size() << " numbers, the store holds "
                                           << live.size();
                EXPECT_EQ(w->编辑框1->text(), lastDraw);
                EXPECT_EQ(w->编辑框2->text(), gaps);
                if (HasFailure()) return;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, HostileInput, ::testing::Values(Entry::Paste, Entry::SetText),
                         [](const ::testing::TestParamInfo<Entry>& info) {
                             return std::string(info.param == Entry::Paste ? "Pasted" : "Written");
                         });

}  // namespace
}  // namespace tricala::test
