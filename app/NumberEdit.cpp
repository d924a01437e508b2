#include "app/NumberEdit.h"

#include <QInputMethodEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace tricala {
namespace {

bool IsNumberChar(QChar c) { return (c >= u'0' && c <= u'9') || c == u'-'; }

// True when `text` holds a printable character that is not a number char.
// Control keys carry no text or only control characters, so they pass.
bool HasForeignChar(const QString& text) {
    for (QChar c : text)
        if (c.isPrint() && !IsNumberChar(c)) return true;
    return false;
}

QString NumberCharsOnly(const QString& text) {
    QString kept;
    for (QChar c : text)
        if (IsNumberChar(c)) kept.append(c);
    return kept;
}

class DigitKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            // Shortcuts such as Ctrl+V must reach the box even where the
            // platform attaches the letter as text.
            if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
            return HasForeignChar(key->text());
        }
        if (event->type() == QEvent::InputMethod) {
            // Characters composed by an input method are typed too.
            auto* im = static_cast<QInputMethodEvent*>(event);
            if (!HasForeignChar(im->commitString())) return false;
            QInputMethodEvent kept(im->preeditString(), im->attributes());
            kept.setCommitString(NumberCharsOnly(im->commitString()));
            QCoreApplication::sendEvent(watched, &kept);
            return true;
        }
        return false;
    }
};

}  // namespace

void InstallDigitKeyFilter(QLineEdit* edit) { edit->installEventFilter(new DigitKeyFilter(edit)); }

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) { InstallDigitKeyFilter(this); }

void NumberEdit::WriteText(const QString& text) {
    if (text == this->text())
        emit textChanged(text);
    else
        setText(text);
}

}  // namespace tricala
