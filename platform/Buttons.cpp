#include "platform/Buttons.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace {

class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* button = static_cast<QAbstractButton*>(watched);
        // A key held down presses once.
        if (!key->isAutoRepeat() && button->isEnabled())
            button->click();
        return true;
    }
};

}  // namespace

void pressOnEnter(QAbstractButton& button)
{
    button.installEventFilter(new EnterPresses(&button));
}

void focusFromKeyboard(QWidget& widget)
{
    // The style draws a focus mark only once the window's focus has moved
    // by a key; a focus given by the code alone would show none.
    widget.setFocus(Qt::ShortcutFocusReason);
}
