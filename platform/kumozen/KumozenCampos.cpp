#include "platform/kumozen/KumozenCampos.h"

#include "platform/Keys.h"
#include "platform/Value.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

void KumozenCampos::ConfiguraCampos(const std::vector<TextBox*>& campos,
                                    const std::vector<FieldLimits>& columnas) const
{
    for (TextBox* campo : campos) {
        if (!campo)
            continue;
        for (const FieldLimits& columna : columnas) {
            if (lang::sameText(campo->dataField().trimmed(), columna.column.trimmed())) {
                campo->applyLimits(columna);
                break;
            }
        }
    }
}

int KumozenCampos::IndiceCampo(const QString& nombre, const std::vector<TextBox*>& campos) const
{
    const QString buscado = nombre.trimmed();
    for (std::size_t i = 0; i < campos.size(); ++i)
        if (campos[i] && lang::sameText(campos[i]->dataField().trimmed(), buscado))
            return static_cast<int>(i);
    return -1;
}

bool KumozenCampos::EsTeclaAvance(int KeyCode) const
{
    return KeyCode == keys::Enter || KeyCode == keys::Escape || KeyCode == keys::Up || KeyCode == keys::Down;
}

namespace {

bool takesTabFocus(const QWidget* w, const QWidget* window)
{
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() && w->isEnabled()
        && w->isVisibleTo(window) && w->window() == window;
}

}  // namespace

void KumozenCampos::AvanzaFoco(int KeyCode, QWidget* desde) const
{
    bool adelante;
    if (KeyCode == keys::Enter || KeyCode == keys::Down)
        adelante = true;
    else if (KeyCode == keys::Up)
        adelante = false;
    else
        return;
    if (!desde)
        desde = QApplication::focusWidget();
    if (!desde)
        return;
    QWidget* window = desde->window();
    for (QWidget* w = adelante ? desde->nextInFocusChain() : desde->previousInFocusChain(); w && w != desde;
         w = adelante ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (takesTabFocus(w, window)) {
            w->setFocus(adelante ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void KumozenCampos::FiltraTecla(QLineEdit* control, int& KeyAscii) const
{
    if (KeyAscii < keys::Space)
        return;
    const auto* box = qobject_cast<const TextBox*>(control);
    const FieldKind kind = box ? box->kind() : FieldKind::Free;
    const QChar c(KeyAscii);
    const bool digit = c >= u'0' && c <= u'9';
    switch (kind) {
    case FieldKind::Number:
        if (c == u',')
            KeyAscii = '.';
        else if (!digit && c != u'.' && c != u'-' && c != u'+')
            KeyAscii = 0;
        break;
    case FieldKind::Date:
        if (!digit && c != u'/' && c != u'-')
            KeyAscii = 0;
        break;
    case FieldKind::Text:
    case FieldKind::Free:
        break;
    }
}
