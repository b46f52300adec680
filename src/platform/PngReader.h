#pragma once

#include <QImageIOPlugin>

// Reading a PNG file whose format Qt finds from its name (Qt's own style icons, theme
// icons), Qt first asks every image plugin whether it reads PNG, which loads them all
// with their libraries (TIFF, MNG, WebP, …). This plugin answers for "png" before the
// others are asked, and hands the file to Qt's own PNG reader: no plugin is loaded
// until a file of its format is read. Registered statically (Q_IMPORT_PLUGIN).
class PngReader : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QImageIOHandlerFactoryInterface" FILE "PngReader.json")
public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override;
    QImageIOHandler *create(QIODevice *device, const QByteArray &format = QByteArray()) const override;
};
