#include "FileSizeLimit.h"
#include "ModalWatcher.h"
#include "OwnWarnings.h"
#include "Named.h"
#include "PageFixture.h"
#include "ProfileText.h"
#include "UserInput.h"
#include "bookmarks/BookmarkModel.h"
#include "bookmarks/BookmarkPage.h"
#include "bookmarks/BookmarkStore.h"
#include "bookmarks/frmAddToBookmark.h"
#include "core/IniFile.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"

#include "bookmarks/BookmarkSettings.h"
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

// The bookmark tab and its dialog, as a user works them.
class tst_BookmarkPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PageFixture> m_fixture;
    BookmarkPage *m_page = nullptr;

    TestApp &app() const { return m_fixture->app; }
    QString profile(const QString &name) const { return app().profileFile(name); }
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
    // The page shown beside a document window on about:blank, as at start-up: with the
    // bookmarks of writeBookmarks() unless the shipped ones are asked for.
    void start(bool shipped = false, PageFixture::Browsers browsers = PageFixture::Scripted, int clickBookmark = 0)
    {
        m_fixture = std::make_unique<PageFixture>(browsers);
        if (!shipped)
            writeBookmarks();
        if (clickBookmark)
            app().settings().save(BookmarkSettings::ClickBookmark, QString::number(clickBookmark));
        m_page = new BookmarkPage(m_fixture->context);
        QVERIFY(m_fixture->show(m_page));
        m_fixture->openDocument()->web()->navigate(QStringLiteral("about:blank"));
        m_page->LoadBookmark();
        m_page->selectFirstNode();
        tree()->expandAll();
    }
    QTreeView *tree() const { return child<QTreeView>(m_page, QStringLiteral("Bookmarks")); }
    QModelIndex node(int category, int bookmark = -1) const
    {
        const QModelIndex top = tree()->model()->index(category, 0);
        return bookmark < 0 ? top : tree()->model()->index(bookmark, 0, top);
    }
    void click(const QModelIndex &node)
    {
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(node).center());
    }
    // What the page asked the document windows to load.
    QStringList navigations() const
    {
        QStringList found;
        for (const QString &call : std::as_const(m_fixture->documents->calls))
            if (call.startsWith(QLatin1String("navigate active ")))
                found.append(call.mid(16));
        return found;
    }
    // Runs fill on the bookmark dialog once it shows; press then runs the dialog.
    [[nodiscard]] static ModalWatch whenDialog(std::function<void(frmAddToBookmark *)> fill)
    {
        return whenModalShown<frmAddToBookmark>([fill](frmAddToBookmark *d) { fill(d); });
    }
    // Keys for what a keyboard types, committed text for what an input method does.
    static void type(QLineEdit *field, const QString &text)
    {
        QWidget *keys = clickToFocus(field);
        QVERIFY(keys == field);
        QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(keys, Qt::Key_Delete);
        typeInto(keys, text);
    }
    static void typeInto(QWidget *keys, const QString &text)
    {
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
    void cleanup() { m_fixture.reset(); }

    void startUpShowsTheShippedBookmarksWithTheFirstSelected()
    {
        start(true);
        QVERIFY(tree()->model()->rowCount() >= 3);
        QCOMPARE(tree()->currentIndex(), node(0));
        const QModelIndex first = node(0);
        QCOMPARE(BookmarkModel::key(first), first.data().toString());
        QVERIFY(BookmarkModel::tag(first).startsWith(app().context.profileFolder));
        QVERIFY(BookmarkModel::key(node(0, 0)).endsWith(QStringLiteral(".bookmark.txt, 1")));
        QVERIFY(BookmarkModel::tag(node(0, 0)).startsWith(QStringLiteral("https://")));
        QVERIFY(!first.data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    // The address row fills the page's width; the tree fills the rest of the page.
    void layout()
    {
        start();
        QWidget *address = m_fixture->field<QWidget>("txtURLbk");
        QWidget *visit = m_fixture->field<QWidget>("cmdVISIT");
        QCOMPARE(visit->size(), QSize(41, 17));
        QCOMPARE(address->width() + visit->width(), m_page->width());
        QCOMPARE(visit->x(), address->width());
        QCOMPARE(tree()->width(), m_page->width());
        QCOMPARE(tree()->mapTo(m_page, QPoint(0, tree()->height())).y(), m_page->height());
        const QStringList buttons = {QStringLiteral("cmdVISIT|访问"), QStringLiteral("btnBookmarkChange|属性"),
                                     QStringLiteral("btnBookmarkAdd|添加"), QStringLiteral("btnBookmarkDel|删除"),
                                     QStringLiteral("btnBookmarkEdit|管理"), QStringLiteral("btnBookmarkRefresh|刷新")};
        for (const QString &expected : buttons)
            QCOMPARE(expected.section(u'|', 0, 0) + u'|' + child<QPushButton>(m_page, expected.section(u'|', 0, 0))->text(),
                     expected);
    }

    // A category file an editor saved as UTF-8 shows its name as written.
    void nodesFollowTheFiles()
    {
        start();
        QFile utf8(profile(QStringLiteral("b.bookmark.txt")));
        QVERIFY(utf8.open(QIODevice::WriteOnly));
        utf8.write(QStringLiteral("[main]\nchinesename=新闻\nnumber=1\n[bookmarks]\nbk 1=新华网,https://www.xinhuanet.com/\n").toUtf8());
        utf8.close();
        m_page->LoadBookmark();
        QCOMPARE(node(1).data().toString(), QStringLiteral("新闻"));
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
        start(false, PageFixture::Scripted, clickBookmark);
        click(node(0));
        QCOMPARE(m_fixture->field<QLineEdit>("txtURLbk")->text(), QString());
        click(node(0, 1));
        QCOMPARE(m_fixture->field<QLineEdit>("txtURLbk")->text(), QStringLiteral("https://s.test/?q=a,b"));
        const QString address = QStringLiteral("https://s.test/?q=a,b");
        QCOMPARE(navigations().count(address), clickBookmark == 1 ? 1 : 0);
        // The visit button opens the chosen bookmark whatever the setting.
        m_fixture->press("cmdVISIT");
        QCOMPARE(navigations().count(address), clickBookmark == 1 ? 2 : 1);
        // A double click and Enter open a bookmark as the visit button does.
        const qsizetype before = navigations().count(address);
        QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(node(0, 1)).center());
        QVERIFY(navigations().count(address) > before);
        const qsizetype clicked = navigations().count(address);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(navigations().count(address), clicked + 1);
    }

    void visitOpensOnlyBookmarks()
    {
        start();
        click(node(1));
        m_fixture->press("cmdVISIT");
        QCOMPARE(navigations(), QStringList());
        click(node(1, 0));
        m_fixture->press("cmdVISIT");
        QCOMPARE(navigations(), QStringList{QStringLiteral("https://www.xinhuanet.com/")});
        // With no document window a visit does nothing.
        m_fixture->documents->CloseDoc();
        QTRY_VERIFY(m_fixture->documents->documents().isEmpty());
        m_fixture->press("cmdVISIT");
        QVERIFY(m_fixture->documents->documents().isEmpty());
    }

    // "添加" files the page the active window shows, title and address.
    void addFilesTheCurrentPage()
    {
        start(false, PageFixture::Real);
        const QString page = app().writeFile(QStringLiteral("page.htm"),
                                             "<html><head><meta charset=\"utf-8\"><title>Hello, World 😀 - 站点</title></head></html>");
        frmDocument *document = m_fixture->documents->activeDocument();
        document->web()->navigate(page);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Hello, World 😀 - 站点"));
        const ModalWatch dialog = whenDialog([this](frmAddToBookmark *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("添加书签"));
            auto *categories = m_fixture->field<QComboBox>("Combo1", d);
            QCOMPARE(categories->currentIndex(), -1);
            QCOMPARE(categories->count(), 2);
            // Names to choose from; the file they are kept in is there on hover.
            QCOMPARE(categories->itemText(0), QStringLiteral("网站"));
            QCOMPARE(categories->itemData(0, Qt::ToolTipRole).toString(), profile(QStringLiteral("a.bookmark.txt")));
            categories->setCurrentIndex(0);
            m_fixture->press("Command1", d);
        });
        m_fixture->press("btnBookmarkAdd");
        // Above the high-water number, gaps below it left alone; the comma made full-width.
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 4), QStringLiteral("Hello， World 😀 - 站点,") + page);
        QCOMPARE(number(QStringLiteral("a.bookmark.txt")), QStringLiteral(" 4"));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 2), QString());
        // The new bookmark is chosen in the tree.
        QCOMPARE(tree()->currentIndex(), node(0, 2));
        QCOMPARE(node(0, 2).data().toString(), QStringLiteral("Hello， World 😀 - 站点"));
        QCOMPARE(BookmarkModel::tag(node(0, 2)), page);
    }

    void addWithoutACategoryAsksForOne()
    {
        start();
        app().prompts.expectMessage(QStringLiteral("请选择一个书签类别"));
        const ModalWatch dialog = whenDialog([this](frmAddToBookmark *d) {
            m_fixture->press("Command1", d);
            QVERIFY(d->isVisible());
            m_fixture->press("Command2", d);
        });
        m_fixture->press("btnBookmarkAdd");
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(app().prompts.messages.last().title, QStringLiteral("错误"));
        QCOMPARE(number(QStringLiteral("a.bookmark.txt")), QStringLiteral(" 3"));
        QCOMPARE(number(QStringLiteral("b.bookmark.txt")), QStringLiteral("1"));
    }

    // With one category there is nothing to choose: the one shown is the one taken.
    void theOnlyCategoryShownIsTheOneChosen()
    {
        start();
        write(QStringLiteral("bookmark.ini"), {"[bookmark]", "files=1", "file 1=\\b.bookmark.txt"});
        m_page->LoadBookmark();
        const ModalWatch dialog = whenDialog([this](frmAddToBookmark *d) {
            QCOMPARE(m_fixture->field<QComboBox>("Combo1", d)->currentText(), QStringLiteral("新闻"));
            m_fixture->press("Command1", d);
        });
        m_fixture->press("btnBookmarkAdd");
        QCOMPARE(entry(QStringLiteral("b.bookmark.txt"), 2), QStringLiteral("Web Document 1,about:blank"));
    }

    // On a full disk the dialog says so and keeps what was typed until it can be saved.
    void aFailedSaveKeepsTheDialogAndItsInput()
    {
        start();
        const QString file = profile(QStringLiteral("b.bookmark.txt"));
        auto full = std::make_unique<FileSizeLimit>(QFileInfo(file).size() + 4);
        const ExpectedWarning warned(QRegularExpression(QStringLiteral("cannot write")));
        app().prompts.expectMessage(QStringLiteral("无法保存书签：") + file);
        const ModalWatch dialog = whenDialog([this, &full](frmAddToBookmark *d) {
            type(m_fixture->field<QLineEdit>("Text1", d), QStringLiteral("留着"));
            m_fixture->field<QComboBox>("Combo1", d)->setCurrentIndex(1);
            m_fixture->press("Command1", d);
            QVERIFY(d->isVisible());
            QCOMPARE(m_fixture->field<QLineEdit>("Text1", d)->text(), QStringLiteral("留着"));
            full.reset();
            m_fixture->press("Command1", d);
            QVERIFY(!d->isVisible());
        });
        m_fixture->press("btnBookmarkAdd");
        QCOMPARE(entry(QStringLiteral("b.bookmark.txt"), 2), QStringLiteral("留着,about:blank"));
    }

    void aFailedDeleteIsShown()
    {
        start();
        click(node(0, 0));
        app().prompts.expectMessage(QStringLiteral("确认删除百度？"), Prompts::Yes);
        app().prompts.expectMessage(QStringLiteral("无法删除："));
        const ExpectedWarning warned(QRegularExpression(QStringLiteral("cannot write")));
        {
            const FileSizeLimit full(10);
            m_fixture->press("btnBookmarkDel");
        }
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QStringLiteral("百度,https://www.baidu.com/"));
        QCOMPARE(tree()->model()->rowCount(node(0)), 2);
    }

    // A damaged index is never written over while damaged; 刷新 offers the rebuild
    // again, and a rebuild keeps the order it listed, as far as it can be read.
    void aDamagedIndexIsKeptAndCanBeRebuilt_data()
    {
        QTest::addColumn<QByteArray>("damaged");
        QTest::addColumn<bool>("rebuild");
        QTest::newRow("garbage, kept") << QByteArray("\x81\x30\xff\xfe\x00garbage\x07\xd6") << false;
        QTest::newRow("cut off, kept") << QByteArray("[bookmark]\r\nfiles= 2\r\nfile 1=\\b.bookmark.txt\r\nfile 2=\\a.bo") << false;
        QTest::newRow("cut off, rebuilt") << QByteArray("[bookmark]\r\nfiles= 2\r\nfile 1=\\b.bookmark.txt\r\nfile 2=\\a.bo") << true;
    }
    void aDamagedIndexIsKeptAndCanBeRebuilt()
    {
        QFETCH(QByteArray, damaged);
        QFETCH(bool, rebuild);
        start();
        QFile index(profile(QStringLiteral("bookmark.ini")));
        QVERIFY(index.open(QIODevice::WriteOnly) && index.write(damaged) == damaged.size());
        index.close();
        QDir(profile(QStringLiteral("bookmarks"))).removeRecursively(); // only the two categories of this test
        const QString offer = QStringLiteral("书签索引已损坏，是否根据书签文件重建？");
        app().prompts.expectMessage(offer, rebuild ? Prompts::Yes : Prompts::No);
        m_page->LoadBookmark();
        QTRY_COMPARE(app().prompts.messages.size(), 1);
        if (rebuild) {
            QCOMPARE(tree()->model()->rowCount(), 2);
            QCOMPARE(node(0).data().toString(), QStringLiteral("新闻"));
            QFile kept(profile(QStringLiteral("bookmark.ini.damaged")));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), damaged);
            return;
        }
        app().prompts.answerFile(profile(QStringLiteral("bookmarks/新的")));
        app().prompts.expectMessage(QStringLiteral("书签索引已损坏"));
        const ModalWatch dialog = whenDialog([this](frmAddToBookmark *d) {
            m_fixture->field<QLineEdit>("Text1", d)->setText(QStringLiteral("新的"));
            m_fixture->press("Command1", d);
            QVERIFY(d->isVisible());
            m_fixture->press("Command2", d);
        });
        m_page->dialog()->addCategory();
        m_page->LoadBookmark(); // asked once only
        QVERIFY(index.open(QIODevice::ReadOnly));
        QCOMPARE(index.readAll(), damaged);
        index.close();
        QCOMPARE(app().prompts.messages.size(), 2);
        app().prompts.expectMessage(offer, Prompts::No);
        m_fixture->press("btnBookmarkRefresh");
        QTRY_COMPARE(app().prompts.messages.size(), 3);
    }

    void editShowsTheBookmarkAndMovesItByNumber()
    {
        start();
        click(node(0, 1));
        const ModalWatch dialog = whenDialog([this](frmAddToBookmark *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("修改书签"));
            QCOMPARE(m_fixture->field<QLineEdit>("Text2", d)->text(), QStringLiteral("3"));
            auto *categories = m_fixture->field<QComboBox>("Combo1", d);
            QCOMPARE(categories->currentText(), QStringLiteral("网站"));
            QVERIFY(categories->currentData().toString().endsWith(QStringLiteral("a.bookmark.txt")));
            QCOMPARE(categories->itemText(0), categories->currentText());
            QVERIFY(!m_fixture->field<QRadioButton>("Option2", d)->isVisibleTo(d));
            type(m_fixture->field<QLineEdit>("Text2", d), QStringLiteral("20"));
            m_fixture->press("Command1", d);
        });
        m_fixture->press("btnBookmarkChange");
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 3), QString());
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 20), QStringLiteral("搜索,https://s.test/?q=a,b"));
        QCOMPARE(number(QStringLiteral("a.bookmark.txt")), QStringLiteral("20"));
    }

    // Another bookmark's number is only taken over when the user says so.
    void editOntoATakenNumberAsks()
    {
        start();
        click(node(0, 1));
        app().prompts.expectMessage(QStringLiteral("序号 1 已被“百度”使用，是否替换？"), Prompts::No);
        app().prompts.expectMessage(QStringLiteral("序号 1 已被“百度”使用，是否替换？"), Prompts::Yes);
        const ModalWatch dialog = whenDialog([this](frmAddToBookmark *d) {
            type(m_fixture->field<QLineEdit>("Text2", d), QStringLiteral("1"));
            m_fixture->press("Command1", d);
            QVERIFY(d->isVisible());
            m_fixture->press("Command1", d);
        });
        m_fixture->press("btnBookmarkChange");
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QStringLiteral("搜索,https://s.test/?q=a,b"));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 3), QString());
    }

    // The tree keeps its open categories and shows the bookmark where it went.
    void editToAnotherCategoryAppendsThere()
    {
        start();
        tree()->collapse(node(1));
        click(node(0, 0));
        const ModalWatch dialog = whenDialog([this](frmAddToBookmark *d) {
            m_fixture->field<QComboBox>("Combo1", d)->setCurrentIndex(1);
            type(m_fixture->field<QLineEdit>("Text2", d), QStringLiteral("9"));
            m_fixture->press("Command1", d);
        });
        m_fixture->press("btnBookmarkChange");
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QString());
        QCOMPARE(entry(QStringLiteral("b.bookmark.txt"), 2), QStringLiteral("百度,https://www.baidu.com/"));
        QCOMPARE(number(QStringLiteral("b.bookmark.txt")), QStringLiteral("2"));
        QCOMPARE(entry(QStringLiteral("b.bookmark.txt"), 9), QStringLiteral("-"));
        QVERIFY(tree()->isExpanded(node(0)));
        QCOMPARE(tree()->currentIndex(), node(1, 1));
        QCOMPARE(node(1, 1).data().toString(), QStringLiteral("百度"));
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
        start();
        click(node(0, 0));
        app().prompts.expectMessage(message);
        app().prompts.expectMessage(QStringLiteral("请输入一个数字")); // confirming the cleared field
        const ModalWatch dialog = whenDialog([this, typed](frmAddToBookmark *d) {
            type(m_fixture->field<QLineEdit>("Text2", d), typed);
            QCOMPARE(m_fixture->field<QLineEdit>("Text2", d)->text(), QString());
            m_fixture->press("Command1", d);
            QVERIFY(d->isVisible());
            m_fixture->press("Command2", d);
        });
        m_fixture->press("btnBookmarkChange");
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(app().prompts.messages.at(1).title, QStringLiteral("错误"));
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QStringLiteral("百度,https://www.baidu.com/"));
    }

    void renameAndDeleteACategory()
    {
        start();
        click(node(1));
        const ModalWatch dialog = whenDialog([this](frmAddToBookmark *d) {
            QVERIFY(!m_fixture->field<QLineEdit>("Text3", d)->isVisibleTo(d));
            QVERIFY(!m_fixture->field<QRadioButton>("Option1", d)->isVisibleTo(d));
            QCOMPARE(m_fixture->field<QLineEdit>("Text1", d)->text(), QStringLiteral("新闻"));
            // The keys go to the name, chosen whole, as soon as the dialog shows.
            QTRY_COMPARE(QApplication::focusWidget(), m_fixture->field<QLineEdit>("Text1", d));
            typeInto(QApplication::focusWidget(), QStringLiteral("要闻,头条"));
            m_fixture->press("Command1", d);
        });
        m_fixture->press("btnBookmarkChange");
        QCOMPARE(node(1).data().toString(), QStringLiteral("要闻，头条"));
        click(node(1));
        app().prompts.expectMessage(QStringLiteral("确认删除要闻，头条？"), Prompts::No);
        m_fixture->press("btnBookmarkDel");
        QCOMPARE(tree()->model()->rowCount(), 2);
        click(node(1));
        app().prompts.expectMessage(QStringLiteral("确认删除要闻，头条？"), Prompts::Yes);
        m_fixture->press("btnBookmarkDel");
        QCOMPARE(tree()->model()->rowCount(), 1);
        // Retired, not removed: still listed, with an empty name, but no picker offers it.
        QCOMPARE(m_page->store().GetBookmarkFile(2), QStringLiteral(",") + profile(QStringLiteral("b.bookmark.txt")));
        QCOMPARE(entry(QStringLiteral("b.bookmark.txt"), 1), QStringLiteral("新华网,https://www.xinhuanet.com/"));
        const ModalWatch picker = whenDialog([this](frmAddToBookmark *d) {
            auto *categories = m_fixture->field<QComboBox>("Combo1", d);
            QCOMPARE(categories->count(), 1);
            QCOMPARE(categories->currentText(), QStringLiteral("网站"));
            m_fixture->press("Command2", d);
        });
        m_fixture->press("btnBookmarkAdd");
    }

    void deleteABookmarkLeavesAGap()
    {
        start();
        click(node(0, 0));
        app().prompts.expectMessage(QStringLiteral("确认删除百度？"), Prompts::Yes);
        m_fixture->press("btnBookmarkDel");
        QCOMPARE(entry(QStringLiteral("a.bookmark.txt"), 1), QString());
        QCOMPARE(number(QStringLiteral("a.bookmark.txt")), QStringLiteral(" 3"));
        tree()->expandAll();
        QCOMPARE(tree()->model()->rowCount(node(0)), 1);
        QCOMPARE(BookmarkModel::key(node(0, 0)), profile(QStringLiteral("a.bookmark.txt")) + QStringLiteral(", 3"));
    }

    // As the bookmark manager asks for a new category.
    void newCategoryLivesInTheProfileFolder_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty: created
        QTest::newRow("ending added") << "profile:常用" << "常用" << "";
        QTest::newRow("outside") << "profile:../outside.bookmark.txt" << "外面" << "不能将书签文件放在其他文件夹";
        QTest::newRow("a live file") << "profile:a.bookmark.txt" << "再来" << "不能覆盖已经存在的书签文件";
        QTest::newRow("a name taken") << "profile:other.bookmark.txt" << "网站" << "已经有一个名为“网站”的书签类别";
        QTest::newRow("cancelled") << "" << "取消" << "";
    }
    void newCategoryLivesInTheProfileFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, name);
        QFETCH(QString, message);
        start();
        const QString path = chosen.isEmpty() ? QString() : profile(chosen.mid(8));
        app().prompts.answerFile(path);
        if (!message.isEmpty())
            app().prompts.expectMessage(message);
        const bool created = message.isEmpty() && !path.isEmpty();
        const auto startsInBookmarks = [this] {
            return app().prompts.suggested.value(0) == profile(QStringLiteral("bookmarks/"));
        };
        const ModalWatch dialog = whenDialog([this, name, created](frmAddToBookmark *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("添加书签类别"));
            QVERIFY(!m_fixture->field<QRadioButton>("Option1", d)->isVisibleTo(d));
            QVERIFY(m_fixture->field<QRadioButton>("Option2", d)->isChecked());
            m_fixture->field<QLineEdit>("Text1", d)->setText(name);
            m_fixture->press("Command1", d);
            QCOMPARE(d->isVisible(), !created);
            if (d->isVisible())
                m_fixture->press("Command2", d);
        });
        m_page->dialog()->addCategory();
        QVERIFY(startsInBookmarks());
        QCOMPARE(m_page->store().fileCount(), created ? 3 : 2);
        QCOMPARE(tree()->model()->rowCount(), created ? 3 : 2);
        if (created) {
            QCOMPARE(ReadINI(profile(QStringLiteral("bookmark.ini")), "bookmark", "file 3"), QStringLiteral("\\常用.bookmark.txt"));
            QCOMPARE(node(2).data().toString(), name);
        }
        QVERIFY(!QFileInfo::exists(app().context.profileFolder + QStringLiteral("/../outside.bookmark.txt")));
    }
};

QTEST_MAIN(tst_BookmarkPage)
#include "tst_bookmarkpage.moc"
