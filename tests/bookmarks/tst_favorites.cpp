#include "FileSizeLimit.h"
#include "bookmarks/FavoritesExport.h"
#include "bookmarks/FavoritesImport.h"
#include "bookmarks/InternetShortcut.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_Favorites : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void exportMakesOneFolderPerCategory();
    void exportAgainReusesFoldersAndFiles();
    void exportedNamesStayInsideAndDistinct();
    void unwritablePlacesAreSkippedAndCounted();
    void writeCutShortLeavesEveryFileWholeOrAsItWas();
    void exportNeedsAnExistingFolder_data();
    void exportNeedsAnExistingFolder();
    void importReadsChosenFilesInOrder();

private:
    QString target() const { return m_dir->filePath(QStringLiteral("fav")); }
    QStringList filesUnder(const QString &folder) const;
    void writeRaw(const QString &path, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

ExchangeCategory category(const QString &name, const QList<ExchangeBookmark> &bookmarks)
{
    return {name, bookmarks};
}

QList<ExchangeCategory> sample()
{
    return {category(QStringLiteral("新闻"), {{QStringLiteral("新浪"), QStringLiteral("http://sina.com.cn/")},
                                              {QStringLiteral("网易"), QStringLiteral("http://163.com/?a=1&b=2")}}),
            category(QStringLiteral("工具"), {{QStringLiteral("词典"), QStringLiteral("http://dict.cn/")}}),
            category(QStringLiteral("空"), {})};
}

QByteArray readRaw(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void tst_Favorites::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("fav")));
}

QStringList tst_Favorites::filesUnder(const QString &folder) const
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

void tst_Favorites::writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void tst_Favorites::exportMakesOneFolderPerCategory()
{
    const ExportCounts counts = FavoritesExport::write(target(), sample());
    QCOMPARE(counts.written, 3);
    QCOMPARE(counts.failed, 0);
    QCOMPARE(filesUnder(target()), QStringList({"工具", "工具/词典.url", "新闻", "新闻/新浪.url", "新闻/网易.url", "空"}));
    QCOMPARE(InternetShortcut::read(target() + QStringLiteral("/新闻/网易.url")),
             std::optional<QString>(QStringLiteral("http://163.com/?a=1&b=2")));
}

void tst_Favorites::exportAgainReusesFoldersAndFiles()
{
    QVERIFY(QDir(target()).mkdir(QStringLiteral("新闻")));
    const QString kept = target() + QStringLiteral("/新闻/新浪.url");
    writeRaw(kept, "[InternetShortcut]\r\nURL=http://old/\r\nIconIndex=3\r\n");
    FavoritesExport::write(target(), sample());
    const QStringList afterFirst = filesUnder(target());
    const ExportCounts again = FavoritesExport::write(target(), sample());
    QCOMPARE(again.written, 3);
    QCOMPARE(filesUnder(target()), afterFirst);
    QCOMPARE(readRaw(kept), QByteArray("[InternetShortcut]\r\nURL=http://sina.com.cn/\r\nIconIndex=3\r\n"));
}

void tst_Favorites::exportedNamesStayInsideAndDistinct()
{
    const QList<ExchangeCategory> categories = {
        category(QStringLiteral("../.."), {{QStringLiteral("../../escape"), QStringLiteral("http://a/")}}),
        category(QStringLiteral(".."), {{QStringLiteral("同名"), QStringLiteral("http://1/")},
                                        {QStringLiteral("同名"), QStringLiteral("http://2/")},
                                        {QString(), QStringLiteral("http://3/")}}),
        category(QStringLiteral(":冒号"), {{QStringLiteral(":)"), QStringLiteral("http://4/")}})};
    // A name starting with ':' is no resource path here: nothing lands in the working folder.
    const QString working = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    const ExportCounts counts = FavoritesExport::write(target(), categories);
    QDir::setCurrent(working);
    QCOMPARE(counts.written, 5);
    QCOMPARE(filesUnder(m_dir->path()).filter(QStringLiteral("escape")),
             QStringList({"fav/__../__.._escape.url"}));
    QCOMPARE(filesUnder(m_dir->path()).filter(QStringLiteral(":")), QStringList({"fav/:冒号", "fav/:冒号/:).url"}));
    QCOMPARE(filesUnder(target() + QStringLiteral("/_")), QStringList({"_.url", "同名 (2).url", "同名.url"}));
    QCOMPARE(InternetShortcut::read(target() + QStringLiteral("/_/同名 (2).url")),
             std::optional<QString>(QStringLiteral("http://2/")));
}

void tst_Favorites::unwritablePlacesAreSkippedAndCounted()
{
    // Running as root ignores permissions, so the obstacles are entries of the wrong kind.
    writeRaw(target() + QStringLiteral("/新闻"), "not a folder");
    QVERIFY(QDir(target()).mkpath(QStringLiteral("工具/词典.url")));
    const ExportCounts counts = FavoritesExport::write(target(), sample());
    QCOMPARE(counts.written, 0);
    QCOMPARE(counts.failed, 3);
    QCOMPARE(counts.failedPaths, QStringList({target() + QStringLiteral("/新闻"), target() + QStringLiteral("/工具/词典.url")}));
    QVERIFY(QFileInfo(target() + QStringLiteral("/空")).isDir());
}

void tst_Favorites::writeCutShortLeavesEveryFileWholeOrAsItWas()
{
    QVERIFY(QDir(target()).mkdir(QStringLiteral("新闻")));
    const QString kept = target() + QStringLiteral("/新闻/新浪.url");
    const QByteArray old("[InternetShortcut]\r\nURL=http://old/\r\nIconIndex=3\r\n");
    writeRaw(kept, old);
    const QString tooLong = QStringLiteral("http://a.cn/") + QString(300, u'x');
    const QList<ExchangeCategory> categories = {category(QStringLiteral("新闻"), {{QStringLiteral("新浪"), tooLong},
                                                                                {QStringLiteral("网易"), tooLong},
                                                                                {QStringLiteral("词典"), QStringLiteral("http://dict.cn/")}})};
    ExportCounts counts;
    {
        const FileSizeLimit limit(200); // a full disk after 200 bytes of a file
        counts = FavoritesExport::write(target(), categories);
    }
    QCOMPARE(counts.written, 1);
    QCOMPARE(counts.failed, 2);
    QCOMPARE(readRaw(kept), old);
    // Hidden temporaries count too: none is left.
    QCOMPARE(filesUnder(target()), QStringList({"新闻", "新闻/新浪.url", "新闻/词典.url"}));
}

void tst_Favorites::exportNeedsAnExistingFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("empty") << QString();
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("a file") << QStringLiteral("file");
}

void tst_Favorites::exportNeedsAnExistingFolder()
{
    QFETCH(QString, folder);
    writeRaw(m_dir->filePath(QStringLiteral("file")), "x");
    const QStringList before = filesUnder(m_dir->path());
    const QString path = folder.isEmpty() ? folder : m_dir->filePath(folder);
    const ExportCounts counts = FavoritesExport::write(path, sample());
    QCOMPARE(counts.written, 0);
    QCOMPARE(counts.failed, 3);
    QCOMPARE(filesUnder(m_dir->path()), before);
}

void tst_Favorites::importReadsChosenFilesInOrder()
{
    const QString longAddress = QStringLiteral("http://a.cn/") + QString(600, u'x');
    writeRaw(target() + QStringLiteral("/长.url"), "[InternetShortcut]\r\nURL=" + longAddress.toLatin1() + "\r\n");
    writeRaw(target() + QStringLiteral("/no address.url"), "[InternetShortcut]\r\nIconIndex=1\r\n");
    writeRaw(target() + QStringLiteral("/.url"), "[InternetShortcut]\r\nURL=http://nameless/\r\n");
    writeRaw(target() + QStringLiteral("/a,b.URL"), "[InternetShortcut]\r\nURL=http://ab/\r\n");
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const QStringList chosen = {target() + QStringLiteral("/a,b.URL"), target() + QStringLiteral("/no address.url"),
                                target() + QStringLiteral("/.url"), target() + QStringLiteral("/gone.url"),
                                target() + QStringLiteral("/长.url")};
    const QList<ExchangeBookmark> bookmarks = FavoritesImport::read(chosen);
    QCOMPARE(bookmarks.size(), 2);
    QCOMPARE(bookmarks.at(0).name, QStringLiteral("a,b"));
    QCOMPARE(bookmarks.at(0).address, QStringLiteral("http://ab/"));
    QCOMPARE(bookmarks.at(1).name, QStringLiteral("长"));
    QCOMPARE(bookmarks.at(1).address, longAddress);
    QVERIFY(qAbs(bookmarks.at(1).added - before) <= 5);
}

QTEST_GUILESS_MAIN(tst_Favorites)
#include "tst_favorites.moc"
