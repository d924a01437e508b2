// The number edit boxes: which typed keys get through, program writes that
// always announce themselves, and no rewrite when the focus leaves.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <string>
#include <vector>

#include "app/NumberEdit.h"

using namespace Qt::StringLiterals;

namespace tricala::test {
namespace {

struct Key {
    int key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

Key Char(QChar c) { return {Qt::Key_unknown, QString(c)}; }

void Press(QLineEdit& edit, const Key& key) {
    QKeyEvent press(QEvent::KeyPress, key.key, key.modifiers, key.text);
    QApplication::sendEvent(&edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key.key, key.modifiers, key.text);
    QApplication::sendEvent(&edit, &release);
}

struct TypingCase {
    const char* what;
    QString before;
    std::vector<Key> keys;
    QString after;
};

std::vector<TypingCase> TypingCases() {
    return {
        {"digit", {}, {Char(u'7')}, u"7"_s},
        {"minus", {}, {Char(u'-')}, u"-"_s},
        {"letter", {}, {Char(u'a')}, {}},
        {"letter between digits", {}, {Char(u'1'), Char(u'x'), Char(u'2')}, u"12"_s},
        {"space and dot", u"5"_s, {Char(u' '), Char(u'.')}, u"5"_s},
        {"Chinese character", {}, {Char(u'中')}, {}},
        {"full-width digit", {}, {Char(u'７')}, {}},
        {"backspace", u"123"_s, {{Qt::Key_Backspace, u"\b"_s}}, u"12"_s},
        {"select all then digit", u"123"_s, {{Qt::Key_A, u"\x01"_s, Qt::ControlModifier}, Char(u'9')}, u"9"_s},
        {"select all with the letter as text", u"123"_s,
         {{Qt::Key_A, u"a"_s, Qt::ControlModifier}, Char(u'4')}, u"4"_s},
        {"arrow then digit", u"13"_s, {{Qt::Key_Left, {}}, Char(u'2')}, u"123"_s},
    };
}

QLineEdit* NumberEditBox(QWidget* parent) { return new NumberEdit(parent); }

QLineEdit* DigitFilteredBox(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    InstallDigitKeyFilter(edit);
    return edit;
}

class TypedKeys : public ::testing::TestWithParam<QLineEdit* (*)(QWidget*)> {};

TEST_P(TypedKeys, OnlyNumberCharactersAndControlKeysGetThrough) {
    for (const TypingCase& c : TypingCases()) {
        SCOPED_TRACE(c.what);
        QWidget owner;
        QLineEdit* edit = GetParam()(&owner);
        edit->setText(c.before);
        for (const Key& key : c.keys) Press(*edit, key);
        EXPECT_EQ(edit->text(), c.after);
    }
}

TEST_P(TypedKeys, PastedTextIsNotFiltered) {
    QWidget owner;
    QLineEdit* edit = GetParam()(&owner);
    QApplication::clipboard()->setText(u"1a二"_s);
    if (QApplication::clipboard()->text() != u"1a二"_s) GTEST_SKIP() << "no clipboard on this platform";
    Press(*edit, {Qt::Key_V, u"\x16"_s, Qt::ControlModifier});
    EXPECT_EQ(edit->text(), u"1a二"_s);
}

TEST_P(TypedKeys, InputMethodCommitKeepsOnlyNumberCharacters) {
    QWidget owner;
    QLineEdit* edit = GetParam()(&owner);
    QInputMethodEvent commit;
    commit.setCommitString(u"1二-3"_s);
    QApplication::sendEvent(edit, &commit);
    EXPECT_EQ(edit->text(), u"1-3"_s);
}

INSTANTIATE_TEST_SUITE_P(NumberAndDigitBoxes, TypedKeys, ::testing::Values(&NumberEditBox, &DigitFilteredBox),
                         [](const auto& info) {
                             return std::string(info.index == 0 ? "NumberEdit" : "FilteredLineEdit");
                         });

TEST(NumberEditWrite, RaisesTextChangedOnEveryWrite) {
    NumberEdit edit;
    QSignalSpy spy(&edit, &QLineEdit::textChanged);
    edit.WriteText(u"077"_s);
    edit.WriteText(u"077"_s);
    edit.WriteText(u"123"_s);
    edit.WriteText(u"123"_s);
    edit.WriteText(QString());
    edit.WriteText(QString());
    const QStringList expected = {u"077"_s, u"077"_s, u"123"_s, u"123"_s, QString(), QString()};
    ASSERT_EQ(spy.count(), expected.size());
    for (int i = 0; i < spy.count(); ++i) EXPECT_EQ(spy.at(i).at(0).toString(), expected[i]) << i;
    EXPECT_TRUE(edit.text().isEmpty());
}

// Number texts keep their leading zeros: "077" must not become "77".
TEST(NumberEditWrite, LeavingTheBoxKeepsTheText) {
    for (const QString& text : {u"077"_s, u"000"_s, u"0"_s, u"012"_s, u"-5"_s}) {
        SCOPED_TRACE(text.toStdString());
        NumberEdit edit;
        edit.WriteText(text);
        QSignalSpy spy(&edit, &QLineEdit::textChanged);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &in);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &out);
        EXPECT_EQ(edit.text(), text);
        EXPECT_EQ(spy.count(), 0);
    }
}

}  // namespace
}  // namespace tricala::test
