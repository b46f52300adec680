#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// Pictures shipped in the images folder beside the program, looked up by key.
namespace Images {

QIcon icon(const QString &programFolder, const QString &key);
QPixmap pixmap(const QString &programFolder, const QString &key, QSize size);
// A picture file read as the format given ("png", "bmp"): guessing it would load every
// image plugin first. Any thread may read one.
QImage readAs(const QString &file, const char *format);
// Reads the drawn pictures of the sizes menus and toolbars show, on the calling
// thread, so that the first windows need not.
void readAhead(const QString &programFolder);

// Each SVG picture is also shipped drawn at these sizes, in the folder "drawn"
// (vantorel_draw_icons makes them at build time).
inline constexpr int DrawnSizes[] = {16, 24, 32, 48, 64};
inline QString drawnName(const QString &key, int size)
{
    return key + u'-' + QString::number(size) + QStringLiteral(".png");
}

} // namespace Images
