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
#include "core/IniFile.h"
#include "document/frmDocument.h"
#include "shell/SidePanel.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

// The bookmark tab and its dialog on a real main window, as a user works them.
class tst_BookmarkPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestApp> m_app;
    std::unique_ptr<ScriptedBrowsers> m_browsers;
    std::unique_ptr<frmMain> m_main;

    QString profile(const QString &name) const { return m_app->profileFile(name); }
    void write(const QString &name, const QStringList &lines)
    {
        QVERIFY(writeProfileLines(profile(name), lines));
    }
    QString entry(const QString &file, int number) const
    {
        return ReadINI(profile(file), QStringLiteral("bookmarks"), QStringLiteral("bk %1").arg(number), QStringLiteral("-"));
    }
    // The "number" line as it stands in the file, blanks included.
    QString number(const QString &file) const
    {
        const auto text = IniFile::profile(profile(file)).text().value_or(QString());
        const qsizetype at = text.indexOf(QLatin1String("number="));
        return at < 0 ? QStringLiteral("-") : text.mid(at + 7, text.indexOf(u'\r', at) - at - 7);
    }
    // Two categories: 网站 (number 3, entry 2 a gap) and 新闻 (number 1).
    void writeBookmarks()
    {
        QFile::remove(profile(QStringLiteral("bookmark.ini")));
        write(QStringLiteral("bookmark.ini"), {"[bookmark]", "files= 2", "file 1=\\a.bookmark.txt", "file 2=/b.bookmark.txt"});
        write(QStringLiteral("a.bookmark.txt"), {"[main]", "chinesename=网站", "number= 3", "[bookmarks]",
                                                  "bk 1=百度,https://www.baidu.com/", "bk 2=", "bk 3=搜索,https://s.test/?q=a,b"});
        write(QStringLiteral("b.bookmark.txt"), {"[main]", "chinesename=新闻", "number=1", "[bookmarks]", "bk 1=新华网,https://www.xinhuanet.com/"});
    }
    // A main window started on about:blank with the bookmark tab shown.
    void start(bool scripted = true, int clickBookmark = 0)
    {
        if (scripted)
            m_app->context.browsers = m_browsers.get();
        if (clickBookmark)
            m_app->settings().save(SettingKeys::ClickBookmark, QString::number(clickBookmark));
        m_main = startMainWindow(*m_app);
        QVERIFY(m_main);
        m_main->list->selectTab(2);
        tree()->expandAll();
    }
    QTreeView *tree() const { return child<QTreeView>(m_main.get(), QStringLiteral("Bookmarks")); }
    QModelIndex node(int category, int bookmark = -1) const
    {
        const QModelIndex top = tree()->model()->index(category, 0);
        return bookmark < 0 ? top : tree()->model()->index(bookmark, 0, top);
    }
    void click(const QModelIndex &node)
    {
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(node).center());
    }
    void press(const char *button) { QTest::mouseClick(child<QPushButton>(m_main.get(), QLatin1String(button)), Qt::LeftButton); }
    QStringList navigations() const
    {
        return static_cast<ScriptedBrowser *>(m_main->activeDocument()->Web)->navigations();
    }
    // Runs fill on the bookmark dialog once it shows; press then runs the dialog.
    static void whenDialog(std::function<void(frmAddToBookmark *)> fill)
    {
        whenModalShown<frmAddToBookmark>([fill](frmAddToBookmark *d) { fill(d); });
    }
    // Keys for what a keyboard types, committed text for what an input method does.
    static void type(QLineEdit *field, const QString &text)
    {
        QWidget *keys = clickToFocus(field);
        QVERIFY(keys == field);
        QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(keys, Qt::Key_Delete);
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(keys, QString(c));
                continue;
            }
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(keys, &commit);
        }
    }

private slots:
    void init()
    {
        m_app = std::make_unique<TestApp>();
        m_browsers = std::make_unique<ScriptedBrowsers>();
    }
    void cleanup()
    {
        m_main.reset();
        m_browsers.reset();
        m_app.reset();
    }

    void startUpShowsTheShippedBookmarksWithTheFirstSelected()
    {
        start();
        QVERIFY(tree()->model()->rowCount() >= 3);
        QCOMPARE(tree()->currentIndex(), node(0));
        const QModelIndex first = node(0);
        QCOMPARE(BookmarkModel::key(first), first.data().toString());
        QVERIFY(BookmarkModel::tag(first).startsWith(m_app->context.profileFolder));
        QVERIFY(BookmarkModel::key(node(0, 0)).endsWith(QStringLiteral(".bookmark.txt, 1")));
        QVERIFY(BookmarkModel::tag(node(0, 0)).startsWith(QStringLiteral("https://")));
        QVERIFY(!first.data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void nodesFollowTheFiles()
    {
        writeBookmarks();
        start();
        QCOMPARE(tree()->model()->rowCount(), 2);
        QCOMPARE(tree()->model()->rowCount(node(0)), 2); // the gap is no node
        QCOMPARE(BookmarkModel::key(node(0, 1)), profile(QStringLiteral("a.bookmark.txt")) + QStringLiteral(", 3"));
        QCOMPARE(BookmarkModel::tag(node(0, 1)), QStringLiteral("https://s.test/?q=a,b"));
        QCOMPARE(BookmarkModel::tag(node(1)), profile(QStringLiteral("b.bookmark.txt")));
    }

    void clickShowsTheAddressAndOpensOnlyWhenAsked_data()
    {
        QTest::addColumn<int>("clickBookmark");
        QTest::newRow("visit button opens") << 0;
        QTest::newRow("a click opens") << 1;
    }
    void clickShowsTheAddressAndOpensOnlyWhenAsked()
    {
        QFETCH(int, clickBookmark);
        writeBookmarks();
        start(true, clickBookmark);
        click(node(0));
        QCOMPARE(child<QLineEdit>(m_main.get(), QStringLiteral("txtURLbk"))->text(), QString());
        click(node(0, 1));
        QCOMPARE(child<QLineEdit>(m_main.get(), QStringLiteral("txtURLbk"))->text(), QStringLiteral("https://s.test/?q=a,b"));
        const QString address = QStringLiteral("https://s.test/?q=a,b");
        QCOMPARE(navigations().count(address), clickBookmark == 1 ? 1 : 0);
        // The visit button opens the chosen bookmark whatever the setting.
        press("cmdVISIT");
        QCOMPARE(navigations().count(address), clickBookmark == 1 ? 2 : 1);
    }

    void visitOpensOnlyBookmarks()
    {
        writeBookmarks();
        start();
        click(node(1));
        press("cmdVISIT");
        QCOMPARE(navigations(), QStringList{QStringLiteral("about:blank")});
        click(node(1, 0));
        press("cmdVISIT");
        QCOMPARE(navigations().last(), QStringLiteral("https://www.xinhuanet.com/"));
        // With no document window a visit does nothing.
        m_main->CloseDoc();
        QTRY_VERIFY(m_main->documents().isEmpty());
        press("cmdVISIT");
        QVERIFY(m_main->documents().isEmpty());
    }

    // The document window's own button files the page it shows, title and address.
    void addFilesTheCurrentPage()
    {
        writeBookmarks();
        start(false);
        const QString page = m_app->writeFile(QStringLiteral("page.htm"),
                                              "<html><head><meta charset=\"utf-8\"><title>Hello, World - 站点</title></head></html>");
        frmDocument *document = m_main->activeDocument();
        document->Web->navigate(page);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Hello, World - 站点"));
        whenDialog([](frmAddToBookmark *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("添加书签"));
            QCOMPARE(d->Combo1->currentIndex(), -1);
            QCOMPARE(d->Combo1->count(), 2);
            d->Combo1->setCurrentIndex(0);
            QTest::mouseClick(d->Command1, Qt::LeftButton);
        });
        QTest::mouseClick(document->tbrMDIchild->widgetForAction(document->tbrMDIchild->findChild<QAction *>("bookmark")),
                          Qt::LeftButton);
        // Above the high-water number, gaps below it left alone; the comma made full-width.
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 4), QStringLiteral("Hello， World - 站点,") + page);
        QCOMPARE(number(QStringLiteral("a.bookmark.txt")), QStringLiteral(" 4"));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 2), QString());
        tree()->expandAll();
        QCOMPARE(node(0, 2).data().toString(), QStringLiteral("Hello， World - 站点"));
        QCOMPARE(BookmarkModel::tag(node(0, 2)), page);
    }

    void addWithoutACategoryAsksForOne()
    {
        writeBookmarks();
        start();
        m_app->prompts.expectMessage(QStringLiteral("请选择一个数签类别"));
        whenDialog([](frmAddToBookmark *d) {
            QTest::mouseClick(d->Command1, Qt::LeftButton);
            QVERIFY(d->isVisible());
            QTest::mouseClick(d->Command2, Qt::LeftButton);
        });
        QTest::keyClick(m_main.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(m_app->prompts.messages.last().title, QStringLiteral("错误"));
        QCOMPARE(number(QStringLiteral("a.bookmark.txt")), QStringLiteral(" 3"));
        QCOMPARE(number(QStringLiteral("b.bookmark.txt")), QStringLiteral("1"));
    }

    void editShowsTheBookmarkAndMovesItByNumber()
    {
        writeBookmarks();
        start();
        click(node(0, 1));
        whenDialog([](frmAddToBookmark *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("修改书签"));
            QCOMPARE(d->Text2->text(), QStringLiteral("3"));
            QVERIFY(d->Combo1->currentText().endsWith(QStringLiteral("a.bookmark.txt")));
            QCOMPARE(d->Combo1->itemText(0), d->Combo1->currentText());
            QVERIFY(!d->Option2->isVisibleTo(d));
            type(d->Text2, QStringLiteral("20"));
            QTest::mouseClick(d->Command1, Qt::LeftButton);
        });
        press("btnBookmarkChange");
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 3), QString());
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 20), QStringLiteral("搜索,https://s.test/?q=a,b"));
        QCOMPARE(number(QStringLiteral("a.bookmark.txt")), QStringLiteral("20"));
    }

    // Another bookmark's number is only taken over when the user says so.
    void editOntoATakenNumberAsks()
    {
        writeBookmarks();
        start();
        click(node(0, 1));
        m_app->prompts.expectMessage(QStringLiteral("序号 1 已被“百度”使用，是否替换？"), Prompts::No);
        m_app->prompts.expectMessage(QStringLiteral("序号 1 已被“百度”使用，是否替换？"), Prompts::Yes);
        whenDialog([](frmAddToBookmark *d) {
            type(d->Text2, QStringLiteral("1"));
            QTest::mouseClick(d->Command1, Qt::LeftButton);
            QVERIFY(d->isVisible());
            QTest::mouseClick(d->Command1, Qt::LeftButton);
        });
        press("btnBookmarkChange");
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QStringLiteral("搜索,https://s.test/?q=a,b"));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 3), QString());
    }

    void editToAnotherCategoryAppendsThere()
    {
        writeBookmarks();
        start();
        click(node(0, 0));
        whenDialog([](frmAddToBookmark *d) {
            d->Combo1->setCurrentIndex(1);
            type(d->Text2, QStringLiteral("9"));
            QTest::mouseClick(d->Command1, Qt::LeftButton);
        });
        press("btnBookmarkChange");
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QString());
        QCOMPARE(entry(QStringLiteral("b.bookmark.txt"), 2), QStringLiteral("百度,https://www.baidu.com/"));
        QCOMPARE(number(QStringLiteral("b.bookmark.txt")), QStringLiteral("2"));
        QCOMPARE(entry(QStringLiteral("b.bookmark.txt"), 9), QStringLiteral("-"));
    }

    void entryNumberAcceptsOneToFiveDigits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("leading zero") << "0" << "首位不可以为0";
        QTest::newRow("six digits") << "123456" << "请不要输入过大的数字，这将使处理变慢";
        QTest::newRow("letter") << "1a" << "请输入一个数字";
        QTest::newRow("Chinese") << "一" << "请输入一个数字";
    }
    void entryNumberAcceptsOneToFiveDigits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        writeBookmarks();
        start();
        click(node(0, 0));
        m_app->prompts.expectMessage(message);
        m_app->prompts.expectMessage(QStringLiteral("请输入一个数字")); // confirming the cleared field
        whenDialog([typed](frmAddToBookmark *d) {
            type(d->Text2, typed);
            QCOMPARE(d->Text2->text(), QString());
            QTest::mouseClick(d->Command1, Qt::LeftButton);
            QVERIFY(d->isVisible());
            QTest::mouseClick(d->Command2, Qt::LeftButton);
        });
        press("btnBookmarkChange");
        QCOMPARE(m_app->prompts.messages.at(1).title, QStringLiteral("错误"));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QStringLiteral("百度,https://www.baidu.com/"));
    }

    void renameAndDeleteACategory()
    {
        writeBookmarks();
        start();
        click(node(1));
        whenDialog([](frmAddToBookmark *d) {
            QVERIFY(!d->Text3->isVisibleTo(d) && !d->Option1->isVisibleTo(d));
            QCOMPARE(d->Text1->text(), QStringLiteral("新闻"));
            type(d->Text1, QStringLiteral("要闻,头条"));
            QTest::mouseClick(d->Command1, Qt::LeftButton);
        });
        press("btnBookmarkChange");
        QCOMPARE(node(1).data().toString(), QStringLiteral("要闻，头条"));
        click(node(1));
        m_app->prompts.expectMessage(QStringLiteral("确认删除要闻，头条？"), Prompts::No);
        press("btnBookmarkDel");
        QCOMPARE(tree()->model()->rowCount(), 2);
        click(node(1));
        m_app->prompts.expectMessage(QStringLiteral("确认删除要闻，头条？"), Prompts::Yes);
        press("btnBookmarkDel");
        QCOMPARE(tree()->model()->rowCount(), 1);
        // Retired, not removed: still listed for the pickers, with an empty name.
        QCOMPARE(m_main->bookmarks()->store().GetBookmarkFile(2), QStringLiteral(",") + profile(QStringLiteral("b.bookmark.txt")));
        QCOMPARE(entry(QStringLiteral("b.bookmark.txt"), 1), QStringLiteral("新华网,https://www.xinhuanet.com/"));
    }

    void deleteABookmarkLeavesAGap()
    {
        writeBookmarks();
        start();
        click(node(0, 0));
        m_app->prompts.expectMessage(QStringLiteral("确认删除百度？"), Prompts::Yes);
        press("btnBookmarkDel");
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QString());
        QCOMPARE(number(QStringLiteral("a.bookmark.txt")), QStringLiteral(" 3"));
        tree()->expandAll();
        QCOMPARE(tree()->model()->rowCount(node(0)), 1);
        QCOMPARE(BookmarkModel::key(node(0, 0)), profile(QStringLiteral("a.bookmark.txt")) + QStringLiteral(", 3"));
    }

    // As the bookmark manager sets the dialog up for a new category.
    void newCategoryLivesInTheProfileFolder_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty: created
        QTest::newRow("ending added") << "profile:常用" << "常用" << "";
        QTest::newRow("outside") << "profile:../outside.bookmark.txt" << "外面" << "不能将数签文件放在其他文件夹";
        QTest::newRow("a live file") << "profile:a.bookmark.txt" << "再来" << "不能覆盖已经存在的书签文件";
        QTest::newRow("a name taken") << "profile:other.bookmark.txt" << "网站" << "已经有一个名为“网站”的书签类别";
        QTest::newRow("cancelled") << "" << "取消" << "";
    }
    void newCategoryLivesInTheProfileFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, name);
        QFETCH(QString, message);
        writeBookmarks();
        start();
        const QString path = chosen.isEmpty() ? QString() : profile(chosen.mid(8));
        m_app->prompts.answerFile(path);
        if (!message.isEmpty())
            m_app->prompts.expectMessage(message);
        frmAddToBookmark *d = m_main->bookmarks()->dialog();
        d->setWindowTitle(QStringLiteral("添加书签类别"));
        d->BkFile = QStringLiteral("New");
        d->Option1->setVisible(false);
        d->select(d->Option2);
        d->Text1->setText(name);
        d->Command1_Click();
        const bool created = message.isEmpty() && !path.isEmpty();
        QCOMPARE(m_main->bookmarks()->store().fileCount(), created ? 3 : 2);
        QCOMPARE(tree()->model()->rowCount(), created ? 3 : 2);
        if (created) {
            QCOMPARE(ReadINI(profile(QStringLiteral("bookmark.ini")), "bookmark", "file 3"), QStringLiteral("\\常用.bookmark.txt"));
            QCOMPARE(node(2).data().toString(), name);
        }
        QVERIFY(!QFileInfo::exists(m_app->context.profileFolder + QStringLiteral("/../outside.bookmark.txt")));
    }
};

QTEST_MAIN(tst_BookmarkPage)
#include "tst_bookmarkpage.moc"
