// Draws every SVG picture at the sizes the interface shows pictures at, as the PNG
// files Images reads instead: parsing and drawing an SVG at start-up cost the first
// frame ten times what reading a drawn one does.
//
//   vantorel_draw_icons OUTPUT_FOLDER PICTURE.svg...
#include "platform/Images.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: vantorel_draw_icons OUTPUT_FOLDER PICTURE.svg...\n");
        return 2;
    }
    const QDir output(arguments.at(1));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(output.path()));
        return 1;
    }
    for (const QString &picture : arguments.mid(2)) {
        // Drawn as the program would draw the SVG itself, so either looks the same.
        const QIcon icon(picture);
        for (const int size : Images::DrawnSizes) {
            const QString file = output.filePath(Images::drawnName(QFileInfo(picture).completeBaseName(), size));
            if (!icon.pixmap(QSize(size, size)).save(file, "PNG")) {
                std::fprintf(stderr, "cannot draw %s as %s\n", qPrintable(picture), qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
