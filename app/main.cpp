// "Asignacion de Posiciones": the start-up form is the program. Its load
// connects (asking for the connection when the command line names no
// server, and ending the program when none results); closing it ends the
// program.
#include "app/SalidaAlMostrar.h"
#include "lookup/EnlaceObjConsultas.h"
#include "platform/StandardIcons.h"
#include "platform/Translations.h"
#include "positions/frmDRAVELO_ASIGNAR_UBICACION.h"

#include <QApplication>
#include <QThreadPool>

namespace {

// Qt's raster engine shares the fill of each large area out among helper
// threads, as many as there are processors, from its global pool. Painting
// the first window started them all, one by one, and that cost start-up more
// than the shared fills saved; until that window has been painted the pool
// keeps to one thread, and then it gets its own size back. What is drawn is
// the same: each thread fills rows of its own.
class PoolAlPrimerDibujo {
public:
    PoolAlPrimerDibujo() : m_tamano(QThreadPool::globalInstance()->maxThreadCount())
    {
        QThreadPool::globalInstance()->setMaxThreadCount(1);
    }
    PoolAlPrimerDibujo(const PoolAlPrimerDibujo&) = delete;
    PoolAlPrimerDibujo& operator=(const PoolAlPrimerDibujo&) = delete;
    ~PoolAlPrimerDibujo() { devuelve(); }

    void devuelve()
    {
        if (m_tamano > 0)
            QThreadPool::globalInstance()->setMaxThreadCount(m_tamano);
        m_tamano = 0;
    }

private:
    int m_tamano;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("AsignacionPosiciones"));
    QApplication::setApplicationDisplayName(QStringLiteral("Asignacion de Posiciones"));
    installQtSpanish();
    icons::shareTheStylesIcons();

    PoolAlPrimerDibujo pool;
    RegistraObjConsultas();
    frmDRAVELO_ASIGNAR_UBICACION form;
    form.Form_Load();
    form.show();
    salida_al_mostrar::trasPrimerDibujo(&form, [&pool] { pool.devuelve(); });
    salida_al_mostrar::instala(&form);
    return app.exec();
}
