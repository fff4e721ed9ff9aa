#include "PdfFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    if (output)
        *output = p.readAllStandardOutput();
    return true;
}

}  // namespace

QString pdfText(const QString& pdfPath)
{
    QByteArray out;
    if (!run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")}, &out))
        return {};
    return QString::fromUtf8(out);
}

QImage pdfPageImage(const QString& pdfPath, int page)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const QString n = QString::number(page);
    if (!run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                          QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                          QStringLiteral("-singlefile"), pdfPath, prefix}))
        return {};
    return QImage(prefix + QStringLiteral(".png"));
}

double inkShare(const QImage& image)
{
    if (image.isNull())
        return 0;
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                ++ink;
    return double(ink) / (double(image.width()) * image.height());
}
