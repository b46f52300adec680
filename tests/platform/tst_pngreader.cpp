#include "platform/DrawnIconEngine.h"
#include "platform/Images.h"
#include "platform/PngReader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPixmap>
#include <QPluginLoader>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QtPlugin>

#include <future>

Q_IMPORT_PLUGIN(PngReader)

// Pictures, Qt's own and ours (PNG, and the splash's BMP), are read without loading any
// image plugin; a file that only bears the name is still read by what reads its format.
// The program's SVG pictures come drawn: showing them loads no SVG reader either.
class tst_PngReader : public QObject
{
    Q_OBJECT

private:
    static QStringList loadedImagePlugins(const QString &kind = QStringLiteral("imageformats"))
    {
        const QDir folder(QLibraryInfo::path(QLibraryInfo::PluginsPath) + u'/' + kind);
        QStringList loaded;
        for (const QString &name : folder.entryList(QDir::Files))
            if (QPluginLoader(folder.filePath(name)).isLoaded())
                loaded.append(name);
        return loaded;
    }

    QString square(int size, Qt::GlobalColor color)
    {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(color);
        const QString path = m_folder.filePath(QString::number(size) + QStringLiteral(".png"));
        return image.save(path) ? path : QString();
    }

    QTemporaryDir m_folder;

private slots:
    void picturesAreReadWithoutPlugins_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("format");
        const QString programFolder = QFileInfo(QStringLiteral(VANTOREL_BINARY)).absolutePath();
        QTest::newRow("the style's own icon") << QString() << QByteArray();
        QTest::newRow("a drawn picture of ours") << programFolder + QStringLiteral("/images/drawn/home-24.png") << QByteArray();
        QTest::newRow("the splash picture") << QStringLiteral(VANTOREL_DATA_DIR "/images/splash.bmp") << QByteArray("bmp");
    }
    void picturesAreReadWithoutPlugins()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, format);
        const QImage picture = source.isEmpty()
            ? QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16, 16).toImage()
            : format.isEmpty() ? QPixmap(source).toImage() : Images::readAs(source, format.constData());
        QVERIFY(!picture.isNull());
        QCOMPARE(loadedImagePlugins(), QStringList());
    }

    void drawnPicturesAreReadAsPng_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("size");
        QTest::newRow("a menu's") << QStringLiteral("bookmark-add") << 16;
        QTest::newRow("the toolbar's") << QStringLiteral("home") << 24;
        QTest::newRow("between sizes") << QStringLiteral("earth") << 20;
        QTest::newRow("the window's") << QStringLiteral("vantorel") << 64;
    }
    void drawnPicturesAreReadAsPng()
    {
        QFETCH(QString, key);
        QFETCH(int, size);
        const QString programFolder = QFileInfo(QStringLiteral(VANTOREL_BINARY)).absolutePath();
        const QImage picture = Images::pixmap(programFolder, key, QSize(size, size)).toImage();
        QCOMPARE(picture.size(), QSize(size, size));
        QCOMPARE(loadedImagePlugins(QStringLiteral("iconengines")), QStringList());
        QCOMPARE(loadedImagePlugins(), QStringList());
    }

    // A size is read when something first shows it: one whose file changes after the icon
    // is made shows the new picture, and a size not shown is never looked for. (Written
    // pictures load the plugins: after the tests that count them.)
    void eachSizeIsReadWhenFirstShown()
    {
        const QIcon icon(new DrawnIconEngine({square(16, Qt::red), m_folder.filePath(QStringLiteral("none.png"))}, {16, 24}));
        QVERIFY(!square(16, Qt::green).isEmpty());
        QCOMPARE(icon.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::green));
        QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(16, 16), QSize(24, 24)}));
    }

    // Read ahead on another thread, a picture is shown by the first icon for it without
    // reading its file; a later icon reads the file.
    void aPictureReadAheadIsTakenOnce()
    {
        const QString path = square(16, Qt::red);
        std::async(std::launch::async, [&] { DrawnIconEngine::readAhead({path}); }).wait();
        QVERIFY(!square(16, Qt::green).isEmpty());
        const QIcon first(new DrawnIconEngine({path}, {16}));
        QCOMPARE(first.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
        const QIcon later(new DrawnIconEngine({path}, {16}));
        QCOMPARE(later.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::green));
    }

    // Last: other formats may load plugins.
    void anotherFormatNamedPngIsStillRead()
    {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = QDir::temp().filePath(QStringLiteral("tst_pngreader-bmp.png"));
        QVERIFY(image.save(path, "BMP"));
        const QImage read(path);
        QFile::remove(path);
        QCOMPARE(read.size(), QSize(3, 2));
        QCOMPARE(read.pixelColor(1, 1), QColor(Qt::red));
    }
};

QTEST_MAIN(tst_PngReader)
#include "tst_pngreader.moc"
