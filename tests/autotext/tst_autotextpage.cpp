#include "ModalWatcher.h"
#include "Named.h"
#include "PageFixture.h"
#include "PageScript.h"
#include "ProfileText.h"
#include "autotext/AutotextPage.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "document/webengine/WebEngineBrowser.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QWebEngineView>

namespace {

const QByteArray FormPage = "<html><head><meta charset=\"utf-8\"><title>Form</title></head><body>"
                            "<form id=f onsubmit=\"document.title='sent '+new FormData(f).getAll('v').join('|');"
                            "return false\"><input name=v id=a><input name=v id=b><input name=v id=c><button>提交</button></form></body></html>";

} // namespace

// The auto-text tab: the 100 slots, their editor, and typing a slot into the page.
class tst_AutotextPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PageFixture> m_fixture;
    AutotextPage *m_page = nullptr;

    QListWidget *list() { return child<QListWidget>(m_page, QStringLiteral("lstAutotxt")); }
    void start(const QStringList &lines, PageFixture::Browsers browsers = PageFixture::Scripted)
    {
        m_fixture = std::make_unique<PageFixture>(browsers);
        QVERIFY(writeProfileLines(m_fixture->app.profileFile(QStringLiteral("autotxt.ini")), QStringList{"[table]"} + lines));
        m_page = new AutotextPage(m_fixture->context);
        QVERIFY(m_fixture->show(m_page));
        m_page->LoadAutotxt();
    }
    // Where a click lands on a row: near its start, as a long snippet runs past the list's edge.
    QPoint at(int row)
    {
        list()->scrollToItem(list()->item(row));
        return QPoint(8, list()->visualItemRect(list()->item(row)).center().y());
    }
    void choose(int row) { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at(row)); }
    void doubleClick(int row) { QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at(row)); }
    // What the page asked the active document's browser to do.
    QStringList calls() const
    {
        return static_cast<ScriptedBrowser *>(m_fixture->documents->activeDocument()->Web)->calls;
    }

private slots:
    void cleanup() { m_fixture.reset(); }

    void layout()
    {
        start({});
        QCOMPARE(child<QPushButton>(m_page, QStringLiteral("cmdEDITAUTOtxt"))->text(), QStringLiteral("修改选定项"));
        QCOMPARE(child<QPushButton>(m_page, QStringLiteral("cmdSendSELECTEDITEM"))->text(), QStringLiteral("发送选定项"));
        QCOMPARE(list()->width(), m_page->width());
        QCOMPARE(list()->mapTo(m_page, QPoint(0, list()->height())).y(), m_page->height());
        QCOMPARE(list()->count(), 100);
        QCOMPARE(list()->item(99)->text(), QStringLiteral("<无>"));
    }

    // The editor starts from the row's text; cancel keeps the slot, an empty answer empties it.
    void editingASlot_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("answer"); // null: cancelled
        QTest::addColumn<QString>("shown");
        QTest::newRow("new text") << 1 << "李四" << "李四";
        QTest::newRow("cancel keeps it") << 1 << QString() << "张三";
        QTest::newRow("cleared") << 1 << "" << "<无>";
        QTest::newRow("the placeholder kept") << 0 << "<无>" << "<无>";
        QTest::newRow("a pasted line break is Enter") << 1 << "第一行\n第二行" << "第一行~第二行";
    }
    void editingASlot()
    {
        QFETCH(int, row);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        start({"t 2=张三"});
        choose(row);
        const QString before = list()->item(row)->text();
        m_fixture->prompts().answerText(answer);
        m_fixture->press("cmdEDITAUTOtxt");
        QCOMPARE(m_fixture->prompts().asked, QStringList{QStringLiteral("自动填表")});
        QCOMPARE(m_fixture->prompts().defaults, QStringList{before});
        QCOMPARE(list()->item(row)->text(), shown);
        if (!answer.isNull()) {
            QCOMPARE(list()->currentRow(), -1); // no row chosen after the reload
            QCOMPARE(list()->selectedItems().size(), 0);
        }
    }

    // Too long for the file: said so, and the editor comes again with what was typed.
    void aSnippetTooLongIsOfferedAgain()
    {
        start({});
        const QString tooLong = QString(128, u'长');
        choose(4);
        m_fixture->prompts().answerText(tooLong);
        m_fixture->prompts().expectMessage(QStringLiteral("254 个字节"));
        m_fixture->prompts().answerText(QStringLiteral("短"));
        QTest::keyClick(list(), Qt::Key_Return); // Enter on an empty slot edits it
        QCOMPARE(m_fixture->prompts().defaults, (QStringList{QStringLiteral("<无>"), tooLong}));
        QCOMPARE(list()->item(4)->text(), QStringLiteral("短"));
    }

    // The send button types even the placeholder; a double click on it edits instead.
    void sendingTheChosenSlot()
    {
        start({"t 1=a{TAB}b~"});
        m_fixture->openDocument();
        choose(0);
        m_fixture->press("cmdSendSELECTEDITEM");
        QCOMPARE(calls(), QStringList{QStringLiteral("sendKeys 4")});
        doubleClick(0);
        QCOMPARE(calls().size(), 2);
        choose(1);
        m_fixture->press("cmdSendSELECTEDITEM");
        QCOMPARE(calls().last(), QStringLiteral("sendKeys 1"));
        m_fixture->prompts().answerText(QString());
        doubleClick(1);
        QCOMPARE(m_fixture->prompts().asked, QStringList{QStringLiteral("自动填表")});
        QCOMPARE(calls().size(), 3);
    }

    void nothingIsTypedWithoutAPageOrWithAMistake()
    {
        start({"t 1={TAB", "t 2=ok"});
        choose(1);
        m_fixture->press("cmdSendSELECTEDITEM");
        QCOMPARE(m_fixture->window.statusBar()->currentMessage(), QStringLiteral("没有打开的网页窗口，自动填表内容没有发送"));
        m_fixture->openDocument();
        m_fixture->prompts().expectMessage(QStringLiteral("自动填表内容格式有误：第 1 个字符"));
        choose(0);
        m_fixture->press("cmdSendSELECTEDITEM");
        QCOMPARE(calls(), QStringList());
    }

    // Into the field the user clicked, Chinese whole, Tab to the next field, ~ submitting;
    // the address box that had the keys last gets nothing.
    void aSnippetFillsAFormAndSubmitsIt()
    {
        start({"t 1=张三{TAB}zhangsan@example.com{TAB}13800000000~"}, PageFixture::Real);
        frmDocument *document = m_fixture->openDocument();
        document->Web->navigate(m_fixture->app.writeFile(QStringLiteral("form.htm"), FormPage));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Form"));
        auto *view = qobject_cast<WebEngineBrowser *>(document->Web)->view();
        const QVariantList field = evaluate(document->Web, QStringLiteral("var r=a.getBoundingClientRect();[r.x+5,r.y+5]")).toList();
        QCOMPARE(field.size(), 2);
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(field[0].toInt(), field[1].toInt()));
        QTRY_VERIFY(evaluate(document->Web, QStringLiteral("document.activeElement.id")).toString() == QLatin1String("a"));
        document->focusAddress();
        QSignalSpy sent(document->Web, &BrowserControl::keysSent);
        choose(0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(sent.count(), 1, 10000);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("sent 张三|zhangsan@example.com|13800000000"));
        QCOMPARE(document->Combo->currentText(), document->Web->locationURL());
    }
};

QTEST_MAIN(tst_AutotextPage)
#include "tst_autotextpage.moc"
