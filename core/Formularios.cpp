#include "Formularios.h"

#include "Globals.h"
#include "Objetos.h"

#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QWidget>

namespace {

// A form without a window icon of its own (Qt answers with the application's).
bool sinIcono(const QWidget* f)
{
    return !f->testAttribute(Qt::WA_SetWindowIcon) || f->windowIcon().isNull();
}

}  // namespace

void InicializaFormulario(QWidget* Formulario)
{
    if (!Formulario)
        return;
    QString nombreIcono;
    ErrorTrap::skipping().run({
        [&] {
            nombreIcono = ObjArchivoIni().LeeIni(QStringLiteral("CN000pr.INI"), QStringLiteral("Iconos"),
                                                 QStringLiteral("IconoDelSistema"), QStringLiteral("ICONVANTRELMC"));
        },
        [&] {
            const QString recurso = QStringLiteral(":/") + nombreIcono;
            // An icon is only built for a resource that exists: building one
            // for a missing name costs more than the rest of this routine.
            const bool existe = !nombreIcono.isEmpty() && QFile::exists(recurso);
            const QIcon icono = existe ? QIcon(recurso) : QIcon();
            if (icono.isNull())
                throw RuntimeError(errnum::InvalidProcedureCall, QStringLiteral("Icono inexistente: ") + nombreIcono);
            Formulario->setWindowIcon(icono);
        },
        [&] {
            if (!sinIcono(Formulario))
                return;
            const QString archivo = QStringLiteral("vantrel.ico");
            if (QFile::exists(archivo))
                Formulario->setWindowIcon(QIcon(archivo));
        },
        [&] {
            // The main window of the family's other programs takes only the icon.
            if (QString::fromLatin1(Formulario->metaObject()->className()).compare(u"FRMMDI", Qt::CaseInsensitive) == 0
                || Formulario->objectName().compare(u"FRMMDI", Qt::CaseInsensitive) == 0)
                ErrorTrap::leave();
        },
        [&] { ObjSistema().PreparaFormulario(Formulario); },
        [&] {
            for (const char* nombre : {"VrUtil1", "TBarRep1", "Util0011"})
                if (QObject* control = Formulario->findChild<QObject*>(QString::fromLatin1(nombre)))
                    control->setProperty("StyleBar", FlatToolbars);
        },
        [] { QCoreApplication::processEvents(); },
    });
}
