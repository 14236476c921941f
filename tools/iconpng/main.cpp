// quadrivium-iconpng SVG OUTDIR SIZE...
// Renders the program's SVG icon as OUTDIR/<size>x<size>/apps/<name>.png for
// each size, the layout of an icon theme.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "usage: quadrivium-iconpng SVG OUTDIR SIZE...\n";
        return 2;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        err << "quadrivium-iconpng: cannot read " << args[1] << '\n';
        return 1;
    }
    const QString name = QFileInfo(args[1]).completeBaseName();
    for (const QString &sizeText : args.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size <= 0) {
            err << "quadrivium-iconpng: not a size: " << sizeText << '\n';
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
        if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
            err << "quadrivium-iconpng: cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
