#include "ModalWatcher.h"
#include "Named.h"
#include "PageFixture.h"
#include "ProfileText.h"
#include "core/IniFile.h"
#include "linktools/LinkTools.h"
#include "linktools/LinkToolsPage.h"
#include "platform/DetachedProcessLauncher.h"
#include "platform/ProgramIcons.h"

#include <QDir>
#include <QStandardPaths>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QThreadPool>
#include <QTest>
#include <QTreeWidget>

// The "外接" menu and the options' list of link tools, kept in step by the file.
class tst_LinkTools : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PageFixture> m_fixture;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<LinkTools> m_tools;
    LinkToolsPage *m_page = nullptr;

    void start(const QStringList &lines)
    {
        m_fixture = std::make_unique<PageFixture>();
        const QString file = m_fixture->app.profileFile(QStringLiteral("linktools.ini"));
        QFile::remove(file); // no tools but these
        if (!lines.isEmpty())
            QVERIFY(writeProfileLines(file, lines));
        m_menu = std::make_unique<QMenu>();
        m_tools = std::make_unique<LinkTools>(m_fixture->context, m_menu.get());
        m_tools->LoadLinkTools();
        m_page = new LinkToolsPage(*m_tools);
        QVERIFY(m_fixture->show(m_page));
    }
    QStringList menu() const
    {
        QStringList items;
        for (const QAction *item : m_menu->actions())
            items.append(item->text() + u'|' + item->data().toString());
        return items;
    }
    QStringList rows() const
    {
        QStringList found;
        auto *list = child<QTreeWidget>(m_page, QStringLiteral("lstLinkTools"));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            found.append(list->topLevelItem(i)->text(0) + u'|' + list->topLevelItem(i)->text(1));
        return found;
    }
    void choose(int row)
    {
        auto *list = child<QTreeWidget>(m_page, QStringLiteral("lstLinkTools"));
        list->setCurrentItem(list->topLevelItem(row));
    }

private slots:
    void cleanup()
    {
        m_tools.reset();
        m_menu.reset();
        m_fixture.reset();
    }

    // A tool's icon comes from its desktop entry. The entries are read once, off the GUI
    // thread, when first asked for (so this test comes first): the first to ask gets its
    // icons when they are in; later rows are not read again.
    void iconsFromDesktopEntries()
    {
        QFile entry(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                    + QStringLiteral("/applications/my-tool.desktop"));
        QVERIFY(QDir().mkpath(QFileInfo(entry).path()) && entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=My tool\nExec=\"/opt/my tool/mytool\" %U\nIcon="
                    + QFile::encodeName(QStringLiteral(VANTOREL_DATA_DIR "/images/earth.svg")) + "\n");
        entry.close();
        QObject row;
        QList<bool> shown;
        const auto show = [&] { shown.append(!ProgramIcons::forProgram(QStringLiteral("/usr/local/bin/mytool")).isNull()); };
        // No thread of the pool is free: the entries wait for one, and the GUI thread goes on.
        {
            auto busy = std::make_shared<QSemaphore>();
            const int threads = QThreadPool::globalInstance()->maxThreadCount();
            for (int i = 0; i < threads; ++i)
                QThreadPool::globalInstance()->start([busy] { busy->acquire(); });
            const auto freed = qScopeGuard([&] { busy->release(threads); });
            ProgramIcons::show(&row, show);
            QCoreApplication::processEvents();
            QCOMPARE(shown, QList<bool>{false});
        }
        QTRY_COMPARE(shown, (QList<bool>{false, true}));
        QVERIFY(entry.remove());
        start({"[main]", "number=2", "[program]", "p 1=工具,/usr/local/bin/mytool", "p 2=无,/usr/bin/no-such-tool"});
        auto *list = child<QTreeWidget>(m_page, QStringLiteral("lstLinkTools"));
        QVERIFY(!list->topLevelItem(0)->icon(0).isNull());
        QVERIFY(list->topLevelItem(1)->icon(0).isNull());
    }

    // Two tools of one program: both listed, one in the menu; and a new list shows them all.
    void menuAndListFromTheFile()
    {
        start({"[main]", "number=3", "[program]", "p 1=终端,/usr/bin/xterm", "p 2=", "p 3=又一个终端,/usr/bin/xterm"});
        QCOMPARE(menu(), QStringList{"终端|/usr/bin/xterm"});
        QCOMPARE(rows(), (QStringList{"终端|/usr/bin/xterm", "又一个终端|/usr/bin/xterm"}));
        auto *list = child<QTreeWidget>(m_page, QStringLiteral("lstLinkTools"));
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("显示标题"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("程序位置"));
        LinkToolsPage again(*m_tools);
        QCOMPARE(child<QTreeWidget>(&again, QStringLiteral("lstLinkTools"))->topLevelItemCount(), 2);
    }

    // Added from /usr/bin under the next number, named, shown at once in the menu and the list.
    void addRenameAndDelete()
    {
        start({"[main]", "number=3", "[program]", "p 1=终端,/usr/bin/xterm", "p 3=编辑器,/usr/bin/vi"});
        m_fixture->prompts().answerFile(QStringLiteral("/usr/bin/bc"));
        m_fixture->prompts().answerText(QStringLiteral("计算,器"));
        m_fixture->press("cmdAddTool");
        QCOMPARE(m_fixture->prompts().suggested, QStringList{QStringLiteral("/usr/bin")});
        QCOMPARE(ReadINI(m_tools->store().file(), "program", "p 4"), QStringLiteral("计算，器,/usr/bin/bc"));
        QCOMPARE(menu().last(), QStringLiteral("计算，器|/usr/bin/bc"));
        QCOMPARE(rows().last(), QStringLiteral("计算，器|/usr/bin/bc"));

        choose(1);
        m_fixture->prompts().answerText(QStringLiteral("文本编辑"));
        m_fixture->press("cmdEdittool");
        QCOMPARE(m_fixture->prompts().defaults.last(), QStringLiteral("编辑器"));
        QCOMPARE(menu().at(1), QStringLiteral("文本编辑|/usr/bin/vi"));
        QCOMPARE(rows().at(1), QStringLiteral("文本编辑|/usr/bin/vi"));

        choose(0);
        m_fixture->prompts().expectMessage(QStringLiteral("你确认这么做？"), Prompts::No);
        m_fixture->press("cmdDelete");
        QCOMPARE(rows().size(), 3);
        m_fixture->prompts().expectMessage(QStringLiteral("你确认这么做？"), Prompts::Yes);
        m_fixture->press("cmdDelete");
        QCOMPARE(m_fixture->prompts().messages.last().title, QStringLiteral("Are you ok?"));
        QCOMPARE(menu(), (QStringList{"文本编辑|/usr/bin/vi", "计算，器|/usr/bin/bc"}));
    }

    // A cancelled name adds nothing and uses up no number; a cancelled rename keeps the title.
    void cancelledPromptsChangeNothing()
    {
        start({"[main]", "number=1", "[program]", "p 1=终端,/usr/bin/xterm"});
        m_fixture->prompts().answerFile(QStringLiteral("/usr/bin/bc"));
        m_fixture->prompts().answerText(QString());
        m_fixture->press("cmdAddTool");
        QCOMPARE(ReadINI(m_tools->store().file(), "main", "number"), QStringLiteral("1"));
        choose(0);
        m_fixture->prompts().answerText(QString());
        m_fixture->press("cmdEdittool");
        QCOMPARE(rows(), QStringList{"终端|/usr/bin/xterm"});
    }

    // A title that cannot be stored is asked for again with what was typed; nothing is stored until one fits.
    void refusedTitlesAreAskedAgain_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("message");
        const QString tooLong(118, u'名'); // 262 bytes with ",/usr/bin/gnome-calculator"
        QTest::newRow("add, too long") << "cmdAddTool" << tooLong << "太长";
        QTest::newRow("rename, too long") << "cmdEdittool" << tooLong << "太长";
        QTest::newRow("add, empty") << "cmdAddTool" << "" << "标题不能为空";
        QTest::newRow("rename, blanks") << "cmdEdittool" << "  " << "标题不能为空";
    }
    void refusedTitlesAreAskedAgain()
    {
        QFETCH(QString, button);
        QFETCH(QString, refused);
        QFETCH(QString, message);
        start({"[main]", "number=1", "[program]", "p 1=计算器,/usr/bin/gnome-calculator"});
        const bool add = button == QLatin1String("cmdAddTool");
        if (add)
            m_fixture->prompts().answerFile(QStringLiteral("/usr/bin/gnome-calculator"));
        choose(0);
        m_fixture->prompts().answerText(refused);
        m_fixture->prompts().expectMessage(message);
        const QString fits(114, u'名'); // 254 bytes with its program
        m_fixture->prompts().answerText(fits);
        m_fixture->press(button.toLatin1().constData());
        QCOMPARE(m_fixture->prompts().defaults.last(), refused);
        QCOMPARE(rows().last(), fits + QStringLiteral("|/usr/bin/gnome-calculator"));
        QCOMPARE(ReadINI(m_tools->store().file(), "main", "number"), add ? QStringLiteral("2") : QStringLiteral("1"));
    }

    // Started as stored: the very path, no shell, no arguments; one that cannot start is reported.
    void aToolStartsAsStored()
    {
        start({});
        QTemporaryDir dir;
        const QString script = dir.filePath(QStringLiteral("my tool; $HOME"));
        const QString record = dir.filePath(QStringLiteral("ran"));
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("#!/bin/sh\necho \"$#:$0\" > '%1'\n").arg(record).toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        QVERIFY(m_tools->store().add(QStringLiteral("工具"), script));
        DetachedProcessLauncher real;
        AppContext context = m_fixture->context;
        context.launcher = &real;
        LinkTools tools(context, m_menu.get());
        tools.LoadLinkTools();
        m_menu->actions().first()->trigger();
        QTRY_VERIFY(QFileInfo(record).size() > 0);
        QFile ran(record);
        QVERIFY(ran.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(ran.readAll()).trimmed(), QStringLiteral("0:") + script);

        QVERIFY(m_tools->store().add(QStringLiteral("没了"), dir.filePath(QStringLiteral("missing"))));
        tools.LoadLinkTools();
        m_fixture->prompts().expectMessage(QStringLiteral("无法启动外接程序 ") + dir.filePath(QStringLiteral("missing")));
        m_menu->actions().last()->trigger();
    }
};

QTEST_MAIN(tst_LinkTools)
#include "tst_linktools.moc"
