#include "core/TypedAddress.h"

#include <QDir>
#include <QTest>

// Typed text read as browsers read it.
class tst_TypedAddress : public QObject
{
    Q_OBJECT

private slots:
    void resolve_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const QString search = QStringLiteral("https://search.test/?q=");
        QTest::newRow("host") << "www.example.com" << "http://www.example.com";
        QTest::newRow("address and port") << "127.0.0.1:8080/x" << "http://127.0.0.1:8080/x";
        QTest::newRow("words") << "hello world" << search + "hello%20world";
        QTest::newRow("one word") << "qt" << search + "qt";
        QTest::newRow("scheme kept") << "https://x" << "https://x";
        QTest::newRow("path with a blank") << "/tmp/a b.html" << "file:///tmp/a%20b.html";
        QTest::newRow("about:blank") << "about:blank" << "about:blank";
        QTest::newRow("host named like a scheme") << "ftp.example.com" << "http://ftp.example.com";
        QTest::newRow("localhost and port") << "localhost:8000" << "http://localhost:8000";
        QTest::newRow("localhost") << "localhost" << "http://localhost";
        QTest::newRow("localhost and path") << "LocalHost/a" << "http://localhost/a";
        QTest::newRow("word after localhost") << "localhostx" << search + "localhostx";
        QTest::newRow("name and port") << "intranet:8080/x" << "http://intranet:8080/x";
        QTest::newRow("no port after the colon") << "intranet:80x" << search + "intranet%3A80x";
        QTest::newRow("scheme starts with a digit") << "8ball:x" << search + "8ball%3Ax";
        QTest::newRow("scheme with a plus") << "svn+ssh://h/r" << "svn+ssh://h/r";
        QTest::newRow("Chinese words") << "中文 搜索" << search + "%E4%B8%AD%E6%96%87%20%E6%90%9C%E7%B4%A2";
        QTest::newRow("blanks around") << "  www.example.com/a?b=c  " << "http://www.example.com/a?b=c";
        QTest::newRow("mailto") << "mailto:a@example.com" << "mailto:a@example.com";
        QTest::newRow("colon in a sentence") << "note: buy milk" << search + "note%3A%20buy%20milk";
        QTest::newRow("home folder") << "~/page.htm" << QUrl::fromLocalFile(QDir::homePath() + "/page.htm").toString();
        QTest::newRow("current folder") << "./page.htm"
                                        << QUrl::fromLocalFile(QDir::current().absoluteFilePath("page.htm")).toString();
        QTest::newRow("empty") << "   " << "";
    }
    void resolve()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        const auto search = [](const QString &query) {
            return QStringLiteral("https://search.test/?q=") + QString::fromLatin1(QUrl::toPercentEncoding(query));
        };
        QCOMPARE(TypedAddress::resolve(typed, search).toString(QUrl::FullyEncoded), expected);
    }

    void withoutAnEngineWordsAreTriedAsAHost()
    {
        QCOMPARE(TypedAddress::resolve(QStringLiteral("intranet"), {}).toString(), QStringLiteral("http://intranet"));
        QCOMPARE(TypedAddress::resolve(QStringLiteral("intranet"), [](const QString &) { return QString(); }).toString(),
                 QStringLiteral("http://intranet"));
    }
};

QTEST_GUILESS_MAIN(tst_TypedAddress)
#include "tst_typedaddress.moc"
