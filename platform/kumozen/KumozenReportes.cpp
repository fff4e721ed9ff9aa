#include "KumozenReportes.h"

#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/WindowPlacement.h"
#include "platform/db/Connection.h"
#include "platform/report/ReportCatalog.h"
#include "platform/report/ReportData.h"
#include "platform/report/ReportRenderer.h"

#include <QAction>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <algorithm>

void KumozenReportes::PreparaFormulas(std::vector<QString>& Formulas, int Cantidad)
{
    Formulas.assign(static_cast<std::size_t>(std::max(0, Cantidad)) + 1, QString());
}

void KumozenReportes::ImprimeReporte(const QString& NombreReporte, std::vector<QString>& /*Parametros*/,
                                     const QString& FormulaSeleccion, const QString& /*CadenaConexion*/,
                                     QString& Formula1, QString& Formula2, QString& Formula3, QString& Formula4,
                                     const QVariant& /*Opcional*/, const QString& /*Texto1*/,
                                     const QString& /*Texto2*/, const QString& /*Texto3*/)
{
    const QString source = QStringLiteral("KumozenReportes");
    const report::Definition* definition = report::catalog().find(NombreReporte);
    if (!definition)
        throw RuntimeError(report::errnum::UnknownReport,
                           QStringLiteral("El programa no tiene el reporte \"%1\".").arg(NombreReporte.trimmed()),
                           source);
    db::Connection* connection = report::catalog().connection();
    if (!connection || connection->State() != db::state::Open)
        throw RuntimeError(report::errnum::NoConnection,
                           QStringLiteral("El reporte \"%1\" necesita la conexion abierta del programa.")
                               .arg(definition->name),
                           source);

    const report::Document document = report::load(*definition, FormulaSeleccion,
                                                   {Formula1, Formula2, Formula3, Formula4}, *connection);
    const QString title = document.heading.title.isEmpty() ? definition->name : document.heading.title;
    if (document.rows.empty()) {
        prompts().messageBox(QStringLiteral("No hay datos para mostrar en el reporte."),
                             prompt::OkOnly | prompt::Information, title);
        return;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(definition->name);
    QPrintPreviewDialog preview(&printer);
    preview.setObjectName(QStringLiteral("ReportPreview"));
    preview.setWindowTitle(document.heading.caption.isEmpty() ? title : document.heading.caption);
    // Readable at once: most of the window that asked for it, the page as
    // wide as the preview.
    QWidget* over = openingWindow();
    const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const QSize wanted = over ? over->frameGeometry().size() * 0.9 : room * 0.8;
    preview.resize(wanted.expandedTo(QSize(800, 600)).boundedTo(room));
    centreOver(&preview, over);
    if (QAction* fitWidth = preview.findChild<QAction*>(QStringLiteral("fitWidthAction")))
        fitWidth->trigger();
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document, &source](QPrinter* target) {
                         // Nothing may be thrown back through the preview's own drawing.
                         try {
                             report::render(document, *target);
                         } catch (const RuntimeError& e) {
                             prompts().errorDialog(e, source);
                         }
                     });
    prompts().showModal(preview);
}
