// iconpng: renders an SVG icon into square PNG files for the desktop's icon theme folders.
// Usage: iconpng ICON.svg OUTPUT_FOLDER NAME SIZE... -> OUTPUT_FOLDER/<SIZE>x<SIZE>/apps/NAME.png
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: iconpng ICON.svg OUTPUT_FOLDER NAME SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconpng: %s is not a readable SVG picture\n", argv[1]);
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        const int size = QString(argv[i]).toInt();
        if (size < 8 || size > 1024) {
            std::fprintf(stderr, "iconpng: size '%s' is not from 8 to 1024\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        const QString file = folder + "/" + QString::fromLocal8Bit(argv[3]) + ".png";
        if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "iconpng: cannot write %s\n", file.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
