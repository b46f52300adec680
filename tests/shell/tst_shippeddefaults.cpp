#include "TestApp.h"
#include "bookmarks/BookmarkStore.h"
#include "core/SettingKeys.h"
#include "search/EngineStore.h"
#include "search/SearchUrl.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// What ships must open for users in mainland China: no engine, bookmark or home
// page on a site that is blocked there.
class tst_ShippedDefaults : public QObject
{
    Q_OBJECT

private slots:
    void reachableFromMainlandChina_data()
    {
        QTest::addColumn<QString>("address");
        QVERIFY(m_dir.isValid());
        copyDataFolder(m_dir.path());
        const QString profile = m_dir.filePath(QStringLiteral("profile"));
        QTest::newRow("home page") << SettingKeys::Homepage.defaultValue;
        for (const EngineGroup &group : loadEngineGroups(profile))
            for (const Engine &engine : group.engines)
                QTest::addRow("engine %s", qUtf8Printable(engine.name))
                    << composeSearchUrl(engine.tag(), QStringLiteral("q"));
        for (const BookmarkCategory &category : BookmarkStore(profile).categories())
            for (const BookmarkEntry &entry : category.entries())
                QTest::addRow("bookmark %s", qUtf8Printable(entry.name)) << entry.address;
    }
    void reachableFromMainlandChina()
    {
        QFETCH(QString, address);
        const QString host = QUrl(address).host();
        QVERIFY2(!host.isEmpty(), qPrintable(address));
        // Whole labels, so that e.g. "abbc.com" is not taken for "bbc".
        const QString labels = u'.' + host + u'.';
        for (const char *blocked : {"google", "youtube", "wikipedia.org", "wiktionary.org", "duckduckgo", "facebook",
                                    "twitter", "bbc", "nytimes"})
            QVERIFY2(!labels.contains(u'.' + QLatin1String(blocked) + u'.'), qPrintable(address));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_ShippedDefaults)
#include "tst_shippeddefaults.moc"
