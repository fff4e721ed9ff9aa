#include "platform/NulCharacters.h"

#include "platform/Prompts.h"

#include <QLineEdit>
#include <QValidator>
#include <utility>

namespace {

// Refuses a text that holds a NUL character, and remembers that it did: the
// line edit also rejects input for other reasons (its most characters).
class NulValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        m_refused = input.contains(QChar(u'\0'));
        return m_refused ? Invalid : Acceptable;
    }
    bool takeRefusal() { return std::exchange(m_refused, false); }

private:
    mutable bool m_refused = false;
};

void tellNulRefused()
{
    prompts().messageBox(QStringLiteral("El texto contiene un carácter nulo (código 0), que no se admite. No se tomó "
                                        "el texto."),
                         prompt::OkOnly | prompt::Exclamation, QStringLiteral("Aviso al Operador"));
}

}  // namespace

bool refusedForNul(const QString& text)
{
    if (!text.contains(QChar(u'\0')))
        return false;
    tellNulRefused();
    return true;
}

void refuseNulCharacters(QLineEdit& edit)
{
    auto* validator = new NulValidator(&edit);
    edit.setValidator(validator);
    QObject::connect(&edit, &QLineEdit::inputRejected, validator, [validator] {
        if (!validator->takeRefusal())
            return;
        // The line edit is still undoing the edit: the box waits until it has.
        QMetaObject::invokeMethod(validator, tellNulRefused, Qt::QueuedConnection);
    });
}
