#include "search/SearchUrl.h"

#include <QTest>

class tst_SearchUrl : public QObject
{
    Q_OBJECT

private slots:
    void compose_data();
    void compose();
};

void tst_SearchUrl::compose_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("url");

    const QString bing = QStringLiteral("LX=https://cn.bing.com/search?q=RX=&form=V2");
    QTest::newRow("plain word") << bing << "qt" << "https://cn.bing.com/search?q=qt&form=V2";
    QTest::newRow("ampersand, Chinese, number sign")
        << bing << "AT&T 中文 C#" << "https://cn.bing.com/search?q=AT%26T%20%E4%B8%AD%E6%96%87%20C%23&form=V2";
    QTest::newRow("blank is %20") << bing << "a b" << "https://cn.bing.com/search?q=a%20b&form=V2";
    QTest::newRow("plus") << bing << "C++" << "https://cn.bing.com/search?q=C%2B%2B&form=V2";
    QTest::newRow("percent") << bing << "100%" << "https://cn.bing.com/search?q=100%25&form=V2";
    QTest::newRow("already encoded text stays text") << bing << "%20" << "https://cn.bing.com/search?q=%2520&form=V2";
    QTest::newRow("slash question equals") << bing << "a/b?c=d" << "https://cn.bing.com/search?q=a%2Fb%3Fc%3Dd&form=V2";
    QTest::newRow("unreserved kept") << bing << "a-b.c_d~e" << "https://cn.bing.com/search?q=a-b.c_d~e&form=V2";
    QTest::newRow("empty query") << bing << "" << "https://cn.bing.com/search?q=&form=V2";
    QTest::newRow("empty prefix") << "LX=RX=.example/" << "x y" << "x%20y.example/";
    QTest::newRow("empty suffix") << "LX=http://a/?q=RX=" << "x" << "http://a/?q=x";
    QTest::newRow("both empty") << "LX=RX=" << "中" << "%E4%B8%AD";
    QTest::newRow("RX= again in suffix") << "LX=http://a/?q=RX=&r=RX=1" << "x" << "http://a/?q=x&r=RX=1";
    QTest::newRow("LX= again in prefix") << "LX=http://a/?LX=RX=" << "x" << "http://a/?LX=x";
}

void tst_SearchUrl::compose()
{
    QFETCH(QString, tag);
    QFETCH(QString, query);
    QTEST(composeSearchUrl(tag, query), "url");
}

QTEST_GUILESS_MAIN(tst_SearchUrl)
#include "tst_searchurl.moc"
