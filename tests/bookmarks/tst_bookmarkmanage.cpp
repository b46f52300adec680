#include "MainWindow.h"
#include "ModalWatcher.h"
#include "ProfileText.h"
#include "Named.h"
#include "ScriptedBrowser.h"
#include "TestApp.h"
#include "UserInput.h"
#include "bookmarks/BookmarkModel.h"
#include "bookmarks/BookmarkPage.h"
#include "bookmarks/frmAddToBookmark.h"
#include "bookmarks/frmBookmarkManage.h"
#include "bookmarks/InternetShortcut.h"
#include "core/IniFile.h"
#include "shell/SidePanel.h"
#include "shell/frmMain.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonObject>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include <fcntl.h>
#include <unistd.h>

// "管理书签" on a real main window: favourites folders in and out, HTML files, browsers.
class tst_BookmarkManage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<ScriptedBrowsers> m_browsers;
    std::unique_ptr<frmMain> m_main;
    QTemporaryDir m_outside;

    QString profile(const QString &name) const { return m_app->profileFile(name); }
    void writeGbk(const QString &path, const QStringList &lines)
    {
        QVERIFY(writeProfileLines(path, lines));
    }
    // The whole entry, as long as it is.
    QString entry(const QString &file, int number) const
    {
        return IniFile::profile(profile(file)).value(QStringLiteral("bookmarks"), QStringLiteral("bk %1").arg(number)).value_or(QStringLiteral("-"));
    }
    // 网站 (number 4), Qt 6.4 (a "." in its name), 旧的 (retired).
    void writeBookmarks()
    {
        QFile::remove(profile(QStringLiteral("bookmark.ini")));
        writeGbk(profile(QStringLiteral("bookmark.ini")),
                 {"[bookmark]", "files= 3", "file 1=\\a.bookmark.txt", "file 2=\\q.bookmark.txt", "file 3=\\r.bookmark.txt"});
        writeGbk(profile(QStringLiteral("a.bookmark.txt")),
                 {"[main]", "chinesename=网站", "number= 4", "[bookmarks]", "bk 1=百度,https://www.baidu.com/",
                  "bk 2=同名,https://one.test/", "bk 3=同名,https://two.test/", "bk 4=a/../b,https://three.test/"});
        writeGbk(profile(QStringLiteral("q.bookmark.txt")),
                 {"[main]", "chinesename=Qt 6.4", "number=1", "[bookmarks]", "bk 1=文档,https://doc.qt.io/qt-6/"});
        writeGbk(profile(QStringLiteral("r.bookmark.txt")),
                 {"[main]", "chinesename=", "number=1", "[bookmarks]", "bk 1=不见,https://hidden.test/"});
    }
    void start()
    {
        m_app->context.browsers = m_browsers.get();
        m_main = startMainWindow(*m_app);
        QVERIFY(m_main);
        panelOf(*m_main)->showPage(BookmarkPage::Id);
    }
    // Presses "管理"; work runs on the manager once it shows, and must close it.
    // False when a check inside failed.
    bool manage(std::function<void(frmBookmarkManage *)> work)
    {
        // A failed check leaves work early: the window is closed all the same, or the test would hang.
        const ModalWatch shown = whenModalShown<frmBookmarkManage>([work](frmBookmarkManage *m) {
            work(m);
            if (m->isVisible())
                m->reject();
        });
        QTest::mouseClick(child<QPushButton>(m_main.get(), QStringLiteral("btnBookmarkEdit")), Qt::LeftButton);
        return QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }) && shown.came() && !QTest::currentTestFailed();
    }
    static void press(QWidget *window, const char *name)
    {
        QTest::mouseClick(child<QPushButton>(window, QLatin1String(name)), Qt::LeftButton);
    }
    // Types folder into the address field and presses Enter, then waits for the file list.
    static bool openFolder(frmBookmarkManage *m, const QString &folder, int files)
    {
        QWidget *keys = clickToFocus(child<QLineEdit>(m, QStringLiteral("URL")));
        if (keys != child<QLineEdit>(m, QStringLiteral("URL")))
            return false;
        QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(keys, folder);
        QTest::keyClick(keys, Qt::Key_Return);
        return QTest::qWaitFor([&] { return child<QListView>(m, QStringLiteral("File1"))->model()->rowCount() == files; }, 5000);
    }
    QString shortcut(const QString &name, const QString &address)
    {
        const QString path = m_outside.filePath(QStringLiteral("fav/") + name);
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(address.isEmpty() ? QByteArray("[InternetShortcut]\r\n")
                                    : "[InternetShortcut]\r\nURL=" + address.toUtf8() + "\r\n");
        return path;
    }
    static QStringList tree(const QString &folder)
    {
        QStringList found;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(QDir(folder).relativeFilePath(it.next()));
        found.sort();
        return found;
    }

private slots:
    void init()
    {
        m_app = std::make_unique<TestApp>();
        m_browsers = std::make_unique<ScriptedBrowsers>();
        QDir(m_outside.path()).removeRecursively();
        QDir().mkpath(m_outside.path());
    }
    void cleanup()
    {
        m_main.reset();
        m_browsers.reset();
        m_app.reset();
    }

    void windowAndPanels()
    {
        start();
        manage([this](frmBookmarkManage *m) {
            QCOMPARE(m->windowTitle(), QStringLiteral("管理书签"));
            QCOMPARE(child<QTabWidget>(m, QStringLiteral("TabStrip"))->tabText(0), QStringLiteral("将IE收藏夹导入到Vantorel书签"));
            QCOMPARE(child<QTabWidget>(m, QStringLiteral("TabStrip"))->tabText(1), QStringLiteral("将Vantorel书签导出到IE收藏夹"));
            QCOMPARE(child<QPushButton>(m, QStringLiteral("cmdOK"))->text(), QStringLiteral("执行操作"));
            QCOMPARE(child<QPushButton>(m, QStringLiteral("cmdCancel"))->text(), QStringLiteral("关闭"));
            QVERIFY(child<QWidget>(m, QStringLiteral("PIC1"))->isVisible());
            QVERIFY(!child<QWidget>(m, QStringLiteral("PIC2"))->isVisible());
            QCOMPARE(child<QComboBox>(m, QStringLiteral("Drive1"))->itemData(0).toString(), QStringLiteral("/"));
            QCOMPARE(child<QComboBox>(m, QStringLiteral("BookmarkFiles"))->count(), pageOf<BookmarkPage>(*m_main)->store().fileCount());
            QCOMPARE(child<QComboBox>(m, QStringLiteral("BookmarkFiles"))->currentText(), QString());
            child<QTabWidget>(m, QStringLiteral("TabStrip"))->setCurrentIndex(1);
            QVERIFY(child<QWidget>(m, QStringLiteral("PIC2"))->isVisible());
            auto *help = child<QLabel>(m, QStringLiteral("lblExportHelp"));
            QVERIFY(help->text().startsWith(QStringLiteral("请选择导出的目标文件夹：")));
            // The whole text shows beside the folder list.
            QVERIFY(help->heightForWidth(help->width()) <= help->height());
            press(m, "cmdCancel");
        });
    }

    // Enter in the address moves the lists; the chosen files go, in list order, above the
    // high-water number. A name in GBK bytes, as an archive made on Windows leaves it, is
    // listed, read and seen by assistive tools like the others. The same files again add nothing.
    void importChosenShortcuts()
    {
        writeBookmarks();
        start();
        shortcut(QStringLiteral("b 第二.url"), QStringLiteral("https://second.test/a,b"));
        shortcut(QStringLiteral("a, 有逗号.url"), QStringLiteral("https://first.test/") + QString(300, u'x'));
        shortcut(QStringLiteral("c 没有地址.url"), QString());
        shortcut(QStringLiteral("d 不选.url"), QStringLiteral("https://not.chosen/"));
        const QByteArray gbkName = QFile::encodeName(m_outside.filePath(QStringLiteral("fav/")))
                                 + QStringEncoder("GBK").encode(QStringLiteral("e 旧档案.url"));
        const int out = ::open(gbkName.constData(), O_CREAT | O_WRONLY, 0600);
        QVERIFY(out >= 0 && ::write(out, "[InternetShortcut]\r\nURL=https://old.test/\r\n", 43) == 43);
        ::close(out);
        const auto import = [this] {
            return manage([this](frmBookmarkManage *m) {
                auto *list = child<QListView>(m, QStringLiteral("File1"));
                QVERIFY(openFolder(m, m_outside.filePath(QStringLiteral("fav")), 5));
                QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("a, 有逗号.url"));
                QCOMPARE(QAccessible::queryAccessibleInterface(list)->tableInterface()->rowCount(), 5);
                QCOMPARE(child<QTreeView>(m, QStringLiteral("Dir1"))->currentIndex().data(QFileSystemModel::FilePathRole).toString(),
                         m_outside.filePath(QStringLiteral("fav")));
                // Chosen by name, as a user clicks them; the import takes them in the list's order.
                for (const char *name : {"b 第二.url", "e 旧档案.url", "a, 有逗号.url", "c 没有地址.url"}) {
                    const auto found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, QString::fromUtf8(name));
                    QCOMPARE(found.size(), 1);
                    list->selectionModel()->select(found.first(), QItemSelectionModel::Select);
                }
                child<QComboBox>(m, QStringLiteral("BookmarkFiles"))->setCurrentIndex(0);
                press(m, "cmdOK");
            });
        };
        m_app->prompts.expectMessage(QStringLiteral("导入成功，共 3 个书签"));
        if (!import())
            return;
        QCOMPARE(m_app->prompts.messages.last().title, QStringLiteral("完成"));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 5),
                 QStringLiteral("a， 有逗号,https://first.test/") + QString(300, u'x'));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 6), QStringLiteral("b 第二,https://second.test/a,b"));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 7), QStringLiteral("e 旧档案,https://old.test/"));
        QCOMPARE(ReadINI(profile(QStringLiteral("a.bookmark.txt")), "main", "number"), QStringLiteral("7"));
        QCOMPARE(pageOf<BookmarkPage>(*m_main)->model()->rowCount(pageOf<BookmarkPage>(*m_main)->model()->index(0, 0)), 7);
        m_app->prompts.expectMessage(QStringLiteral("导入成功，共 0 个书签，跳过 3 个已有的书签"));
        if (!import())
            return;
        QCOMPARE(ReadINI(profile(QStringLiteral("a.bookmark.txt")), "main", "number"), QStringLiteral("7"));
    }

    void importWithoutACategoryAsksForOne()
    {
        writeBookmarks();
        start();
        m_app->prompts.expectMessage(QStringLiteral("请选择一个书签类别"));
        manage([](frmBookmarkManage *m) {
            press(m, "cmdOK");
            QVERIFY(m->isVisible());
            press(m, "cmdCancel");
        });
        if (QTest::currentTestFailed())
            return; // a check inside the window failed
        QCOMPARE(m_app->prompts.messages.last().title, QStringLiteral("错误"));
    }

    // Categories by kind, names made safe and distinct, nothing outside the chosen folder.
    void exportEveryShownCategory()
    {
        writeBookmarks();
        start();
        const QString target = m_outside.filePath(QStringLiteral("volume"));
        QDir().mkpath(target);
        for (int round = 0; round < 2; ++round) {
            m_app->prompts.expectMessage(QStringLiteral("导出成功，共 5 个书签，保存在 ") + target);
            manage([target](frmBookmarkManage *m) {
                child<QTabWidget>(m, QStringLiteral("TabStrip"))->setCurrentIndex(1);
                child<QLineEdit>(m, QStringLiteral("favourite"))->setText(target);
                press(m, "cmdOK");
            });
            if (QTest::currentTestFailed())
                return; // a check inside the window failed
        }
        QCOMPARE(tree(target), (QStringList{QStringLiteral("Qt 6.4/文档.url"), QStringLiteral("网站/a_.._b.url"),
                                            QStringLiteral("网站/同名 (2).url"), QStringLiteral("网站/同名.url"),
                                            QStringLiteral("网站/百度.url")}));
        QCOMPARE(InternetShortcut::read(target + QStringLiteral("/网站/同名 (2).url")), QStringLiteral("https://two.test/"));
        QCOMPARE(InternetShortcut::read(target + QStringLiteral("/Qt 6.4/文档.url")), QStringLiteral("https://doc.qt.io/qt-6/"));
        QCOMPARE(tree(m_outside.path()).size(), 5);
    }

    void exportNeedsAFolder()
    {
        writeBookmarks();
        start();
        m_app->prompts.expectMessage(QStringLiteral("请先选择导出到哪个文件夹"));
        manage([](frmBookmarkManage *m) {
            child<QTabWidget>(m, QStringLiteral("TabStrip"))->setCurrentIndex(1);
            child<QLineEdit>(m, QStringLiteral("favourite"))->clear();
            press(m, "cmdOK");
            QVERIFY(m->isVisible());
            press(m, "cmdCancel");
        });
    }

    // What goes out as shortcuts comes back in the same.
    void shortcutRoundTrip()
    {
        writeBookmarks();
        start();
        const QString target = m_outside.filePath(QStringLiteral("out"));
        QDir().mkpath(target);
        m_app->prompts.expectMessage(QStringLiteral("导出成功"));
        manage([target](frmBookmarkManage *m) {
            child<QTabWidget>(m, QStringLiteral("TabStrip"))->setCurrentIndex(1);
            child<QLineEdit>(m, QStringLiteral("favourite"))->setText(target);
            press(m, "cmdOK");
        });
        if (QTest::currentTestFailed())
            return; // a check inside the window failed
        m_app->prompts.expectMessage(QStringLiteral("导入成功，共 1 个书签"));
        manage([this, target](frmBookmarkManage *m) {
            child<QTabWidget>(m, QStringLiteral("TabStrip"))->setCurrentIndex(0);
            QVERIFY(openFolder(m, target + QStringLiteral("/Qt 6.4"), 1));
            child<QListView>(m, QStringLiteral("File1"))->selectAll();
            child<QComboBox>(m, QStringLiteral("BookmarkFiles"))->setCurrentIndex(0);
            press(m, "cmdOK");
        });
        if (QTest::currentTestFailed())
            return; // a check inside the window failed
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 5), QStringLiteral("文档,https://doc.qt.io/qt-6/"));
    }

    void newFolderAndNewCategory()
    {
        writeBookmarks();
        start();
        const QString target = m_outside.filePath(QStringLiteral("out"));
        QDir().mkpath(target);
        m_app->prompts.answerText(QStringLiteral("收藏"));
        m_app->prompts.answerText(QStringLiteral("../逃出"));
        m_app->prompts.answerFile(profile(QStringLiteral("新类")));
        manage([target](frmBookmarkManage *m) {
            child<QTabWidget>(m, QStringLiteral("TabStrip"))->setCurrentIndex(1);
            child<QComboBox>(m, QStringLiteral("Drive2"))->setCurrentIndex(0); // the root, above the temporary folder
            const auto *folders = static_cast<QFileSystemModel *>(child<QTreeView>(m, QStringLiteral("Dir2"))->model());
            child<QTreeView>(m, QStringLiteral("Dir2"))->setCurrentIndex(folders->index(target));
            QCOMPARE(child<QLineEdit>(m, QStringLiteral("favourite"))->text(), target);
            press(m, "cmdNEWFOLDER");
            QVERIFY(QFileInfo(target + QStringLiteral("/收藏")).isDir());
            QCOMPARE(child<QLineEdit>(m, QStringLiteral("favourite"))->text(), target + QStringLiteral("/收藏"));
            child<QTreeView>(m, QStringLiteral("Dir2"))->setCurrentIndex(folders->index(target));
            press(m, "cmdNEWFOLDER"); // a name that leaves the folder is refused
            const ModalWatch created = whenModalShown<QDialog>([](QDialog *d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("添加书签类别"));
                QVERIFY(!d->findChild<QWidget *>(QStringLiteral("Option1"))->isVisible());
                QTest::keyClicks(d->findChild<QLineEdit *>(QStringLiteral("Text1")), QStringLiteral("New"));
                QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
            });
            press(m, "CMDNewbookmarkType");
            QVERIFY(child<QComboBox>(m, QStringLiteral("BookmarkFiles"))->findText(QStringLiteral("New")) >= 0);
            press(m, "cmdCancel");
        });
        if (QTest::currentTestFailed())
            return; // a check inside the window failed
        QVERIFY(QFileInfo(profile(QStringLiteral("新类.bookmark.txt"))).isFile());
        QVERIFY(!QFileInfo::exists(m_outside.filePath(QStringLiteral("逃出"))));
    }

    // Out as an HTML file and in again: every name and address comes back exactly, so
    // nothing is added twice.
    void htmlRoundTrip()
    {
        writeBookmarks();
        start();
        const QString file = m_outside.filePath(QStringLiteral("书签.html"));
        m_app->prompts.answerFile(file);
        m_app->prompts.expectMessage(QStringLiteral("导出成功，共 5 个书签"));
        m_app->prompts.answerFile(file);
        m_app->prompts.expectMessage(QStringLiteral("导入成功，共 0 个书签，跳过 5 个已有的书签"));
        manage([](frmBookmarkManage *m) {
            child<QTabWidget>(m, QStringLiteral("TabStrip"))->setCurrentIndex(1);
            press(m, "cmdExportHtml");
            child<QTabWidget>(m, QStringLiteral("TabStrip"))->setCurrentIndex(0);
            press(m, "cmdImportHtml");
            press(m, "cmdCancel");
        });
        if (QTest::currentTestFailed())
            return; // a check inside the window failed
        const QList<BookmarkCategory> shown = pageOf<BookmarkPage>(*m_main)->store().categories();
        QCOMPARE(shown.size(), 2); // the categories of the same names
        QCOMPARE(shown.at(0).size(), 4);
        QCOMPARE(shown.at(1).size(), 1);
    }

    // Each browser of the Chromium family found is offered by name; the chosen one's roots and
    // their sub-folders become categories, whatever characters their names hold.
    void importFromAChosenBrowser()
    {
        writeBookmarks();
        start();
        const auto install = [](const QString &file, const QString &folder) {
            const QJsonObject bar{{"type", "folder"}, {"name", "Bookmarks bar"},
                                  {"children", QJsonArray{QJsonObject{{"type", "url"}, {"name", "Qt"}, {"url", "https://www.qt.io/"}},
                                                          QJsonObject{{"type", "folder"}, {"name", folder},
                                                                      {"children", QJsonArray{QJsonObject{{"type", "url"}, {"name", "KDE"},
                                                                                                          {"url", "https://kde.org/"}}}}}}}};
            QDir().mkpath(QFileInfo(file).path());
            QFile out(file);
            out.open(QIODevice::WriteOnly);
            out.write(QJsonDocument(QJsonObject{{"roots", QJsonObject{{"bookmark_bar", bar}}}, {"version", 1}}).toJson());
        };
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        install(QDir::homePath() + QStringLiteral("/.config/chromium/Default/Bookmarks"), QStringLiteral("工具"));
        install(config + QStringLiteral("/microsoft-edge/Default/Bookmarks"), QStringLiteral("😀表情收藏"));
        m_app->prompts.answerChoice(1);
        m_app->prompts.expectMessage(QStringLiteral("导入成功，共 2 个书签"));
        m_app->prompts.expectMessage(QStringLiteral("没有找到 Firefox 的书签"));
        if (!manage([](frmBookmarkManage *m) {
                press(m, "cmdImportChromium");
                press(m, "cmdImportFirefox"); // none installed: says where it looked
                press(m, "cmdCancel");
            }))
            return;
        QCOMPARE(m_app->prompts.offered, (QList<QStringList>{{QStringLiteral("Chromium"), QStringLiteral("Microsoft Edge")}}));
        QVERIFY(m_app->prompts.messages.last().text.contains(config + QStringLiteral("/mozilla/firefox")));
        QStringList names;
        for (const BookmarkCategory &c : pageOf<BookmarkPage>(*m_main)->store().categories())
            names.append(c.name);
        QCOMPARE(names, (QStringList{QStringLiteral("网站"), QStringLiteral("Qt 6.4"), QStringLiteral("书签栏"),
                                     QStringLiteral("书签栏 / 😀表情收藏")}));
        pageOf<BookmarkPage>(*m_main)->LoadBookmark();
        QCOMPARE(pageOf<BookmarkPage>(*m_main)->model()->index(3, 0).data().toString(), QStringLiteral("书签栏 / 😀表情收藏"));
    }
};

QTEST_MAIN(tst_BookmarkManage)
#include "tst_bookmarkmanage.moc"
