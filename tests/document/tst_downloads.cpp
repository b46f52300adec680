#include "LoopbackServer.h"
#include "MainWindow.h"
#include "TestApp.h"
#include "UserInput.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "document/webengine/DownloadManager.h"
#include "document/webengine/DownloadWidget.h"
#include "document/webengine/WebEngineBrowser.h"
#include "shell/MainMenus.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMdiArea>
#include <QScreen>
#include <QTest>
#include <QWebEngineView>
#include <QWindow>

#include <algorithm>

namespace {

enum class Side { Right, Left, Over };

QRect available(const QWidget &window) { return window.screen()->availableGeometry(); }

// Where the list stands against the main window, or the empty text when it is not where it should be.
QString placement(const frmMain &main, const QWidget &list, Side side)
{
    const QWidget *area = areaOf(main);
    const QRect documents(area->mapToGlobal(QPoint()), area->size());
    const QRect owner = main.frameGeometry();
    const QRect frame = list.frameGeometry();
    if (!available(main).contains(frame))
        return QStringLiteral("off the screen");
    switch (side) {
    case Side::Right:
        return frame.left() > owner.right() ? QString() : QStringLiteral("not on the right");
    case Side::Left:
        return frame.right() < owner.left() ? QString() : QStringLiteral("not on the left");
    case Side::Over: {
        // Over the side panel rather than the documents.
        const QRect hidden = frame.intersected(documents);
        return hidden.width() * hidden.height() * 4 < frame.width() * frame.height()
                   ? QString()
                   : QStringLiteral("over the documents");
    }
    }
    return QString();
}

// The test screen is small: a narrow side panel leaves room beside the main window.
void narrowPanel(TestApp &app) { app.settings().save(SettingKeys::ListWidth, QStringLiteral("3360")); }

// Ctrl+J into the page of the active document, after a click into it as a user does.
bool pressCtrlJ(frmMain &main)
{
    QWidget *keys = clickToFocus(qobject_cast<WebEngineBrowser *>(main.activeDocument()->web())->view());
    if (keys)
        QTest::keyClick(keys, Qt::Key_J, Qt::ControlModifier);
    return keys;
}

} // namespace

Q_DECLARE_METATYPE(Side)

// The download list: beside the main window, and back on Ctrl+J or Tools > 下载.
class tst_Downloads : public QObject
{
    Q_OBJECT

private slots:
    void listComesBesideTheWindowAndBackOnRequest()
    {
        TestApp app;
        LoopbackServer server;
        server.route("/a.bin", LoopbackServer::attachment("a.bin", "payload"));
        narrowPanel(app);
        auto main = startMainWindow(app, QSize(300, 400));
        QVERIFY(main);
        main->move(available(*main).topLeft() + QPoint(10, 10));
        // No part of the first frame: built when first needed.
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(windows.begin(), windows.end(), [](QWidget *w) { return qobject_cast<DownloadManager *>(w); }));
        DownloadManager *list = app.web().downloads();
        // The test screen is small: a smaller list leaves room beside the main window.
        list->resize(250, 200);
        app.prompts.answerFile(app.file(QStringLiteral("a.bin")));
        main->activeDocument()->web()->navigate(server.address(QStringLiteral("/a.bin")));
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(placement(*main, *list, Side::Right), QString());
        QCOMPARE(list->windowType(), Qt::Tool);
        QCOMPARE(list->windowHandle()->transientParent(), main->windowHandle());
        DownloadWidget *row = list->findChild<DownloadWidget *>();
        QTRY_VERIFY(row->stateText().startsWith(QStringLiteral("完成")));

        // Shown but behind the main window, and moved partly off the screen: the key brings it
        // forward, whole.
        list->move(available(*main).right() - 60, list->y());
        QVERIFY(pressCtrlJ(*main));
        QTRY_COMPARE(QApplication::activeWindow(), list);
        QVERIFY(available(*main).contains(list->frameGeometry()));
        list->close();
        QVERIFY(pressCtrlJ(*main));
        QTRY_COMPARE(QApplication::activeWindow(), list);
        QCOMPARE(placement(*main, *list, Side::Right), QString());
        QCOMPARE(list->findChild<DownloadWidget *>(), row);
        QVERIFY(!list->findChild<QLabel *>(QStringLiteral("downloadsEmpty"))->isVisible());

        list->close();
        const QList<QAction *> tools = main->findChild<QMenu *>(QStringLiteral("mnuTools"))->actions();
        QAction *item = action(*main, QStringLiteral("mnuToolsDownloads"));
        QCOMPARE(tools.indexOf(item), tools.indexOf(action(*main, QStringLiteral("mnuToolsProfileFolder"))) + 1);
        QCOMPARE(item->text(), QStringLiteral("下载(&D)"));
        item->trigger();
        QTRY_COMPARE(QApplication::activeWindow(), list);
        QCOMPARE(list->findChild<DownloadWidget *>(), row);

        // A download under way shows how much of how much.
        LoopbackServer::Response big = LoopbackServer::attachment("big.bin", QByteArray(300000, 'x'));
        big.stallAfter = 1000;
        server.route("/big.bin", big);
        app.prompts.answerFile(app.file(QStringLiteral("big.bin")));
        main->activeDocument()->web()->navigate(server.address(QStringLiteral("/big.bin")));
        QTRY_COMPARE(list->count(), 2);
        const QLocale chinese(QLocale::Chinese);
        QTRY_COMPARE(list->findChildren<DownloadWidget *>().last()->stateText(),
                     QStringLiteral("已下载 %1 / 共 %2").arg(chinese.formattedDataSize(1000), chinese.formattedDataSize(300000)));
    }

    void withoutDownloadsTheListIsEmpty_data()
    {
        QTest::addColumn<Side>("side");
        QTest::addColumn<bool>("low");
        QTest::newRow("room on the right") << Side::Right << false;
        QTest::newRow("room on the left") << Side::Left << false;
        QTest::newRow("no room beside") << Side::Over << false;
        QTest::newRow("near the screen's foot") << Side::Right << true;
    }
    void withoutDownloadsTheListIsEmpty()
    {
        QFETCH(Side, side);
        QFETCH(bool, low);
        TestApp app;
        DownloadManager *list = app.web().downloads();
        list->resize(250, 200);
        narrowPanel(app);
        auto main = startMainWindow(app, QSize(300, 400));
        QVERIFY(main);
        // The main window leaves room for the list on one side only, or on none.
        const QRect screen = available(*main);
        if (side == Side::Right)
            main->move(screen.topLeft() + QPoint(10, 10));
        else if (side == Side::Left)
            main->move(screen.right() - 10 - main->frameGeometry().width(), screen.top() + 10);
        else
            main->setGeometry(screen.adjusted(20, 20, -20, -20));
        if (low)
            main->move(main->x(), screen.bottom() - 100);
        QVERIFY(pressCtrlJ(*main));
        QTRY_COMPARE(QApplication::activeWindow(), list);
        QCOMPARE(placement(*main, *list, side), QString());
        QCOMPARE(list->count(), 0);
        auto *empty = list->findChild<QLabel *>(QStringLiteral("downloadsEmpty"));
        QVERIFY(empty->isVisible());
        QCOMPARE(empty->text(), QStringLiteral("没有下载"));
    }
};

QTEST_MAIN(tst_Downloads)
#include "tst_downloads.moc"
