#pragma once
// Edit boxes that take numbers from the keyboard.
//
// Typed characters other than "0"-"9" and "-" are dropped; control keys
// (backspace, arrows, Ctrl+V, Ctrl+A) pass, and pasted text is taken as it
// is. The text is never rewritten when the box loses the focus: a number
// text such as "077" or "000" must survive leaving the box.

#include <QLineEdit>

namespace tricala {

// Makes `edit` drop typed characters other than digits and "-". The filter
// is owned by `edit`.
void InstallDigitKeyFilter(QLineEdit* edit);

// The last-draw number box. Its text-changed signal is the trigger of the
// last-draw analysis, so a program write must raise it every time.
class NumberEdit : public QLineEdit {
public:
    explicit NumberEdit(QWidget* parent = nullptr);

    // Writes `text` and raises textChanged, also when `text` equals the
    // current text (QLineEdit alone stays silent then).
    void WriteText(const QString& text);
};

}  // namespace tricala
