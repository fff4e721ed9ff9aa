#include "KumozenSistema.h"

#include "platform/Host.h"

#include <QWidget>

QString KumozenSistema::NombrePC() const
{
    return host().computerName();
}

QString KumozenSistema::NombreUsuarioPC() const
{
    return host().workstationUser();
}

void KumozenSistema::PreparaFormulario(QWidget* formulario) const
{
    if (!formulario)
        return;
    // Data-entry forms of the family all take the keyboard focus in tab order
    // and never let the window grow smaller than their design.
    // A form placed without a layout has no size hint and keeps its own.
    const QSize hint = formulario->minimumSizeHint();
    if (hint.isValid())
        formulario->setMinimumSize(hint.boundedTo(formulario->size()));
}
