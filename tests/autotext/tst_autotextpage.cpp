#include "ModalWatcher.h"
#include "Named.h"
#include "OwnWarnings.h"
#include "PageFixture.h"
#include "PageScript.h"
#include "ProfileText.h"
#include "autotext/AutotextEditor.h"
#include "autotext/AutotextPage.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "document/webengine/WebEngineBrowser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QWebEngineView>

namespace {

const QByteArray FormPage = "<html><head><meta charset=\"utf-8\"><title>Form</title></head><body>"
                            "<form id=f onsubmit=\"document.title='sent '+new FormData(f).getAll('v').join('|').replace(/ /g,'_');"
                            "return false\"><input name=v id=a><input name=v id=b><input name=v id=c><button>提交</button></form></body></html>";

// KDE's single-click setting.
class SingleClickStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *data) const override
    {
        return hint == SH_ItemView_ActivateItemOnSingleClick ? 1 : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

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
    void press(const char *name) { QTest::mouseClick(child<QPushButton>(m_page, QLatin1String(name)), Qt::LeftButton); }
    AutotextEditor *editor() const { return qobject_cast<AutotextEditor *>(QApplication::activeModalWidget()); }
    QPlainTextEdit *box() const { return editor() ? editor()->findChild<QPlainTextEdit *>() : nullptr; }
    // The editor of row, as the edit button opens it, with the keys in its box.
    bool openEditor(int row)
    {
        choose(row);
        press("cmdEDITAUTOtxt");
        return QTest::qWaitFor([this] { return box() && QApplication::focusWidget() == box(); });
    }
    // All of the box's text replaced, as a user selects it and types (Chinese through an input method).
    void retype(const QString &text)
    {
        QTest::keyClick(box(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box(), Qt::Key_Delete);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box(), &commit);
    }
    void key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    // What the page asked the active document's browser to do.
    QStringList calls() const
    {
        return static_cast<ScriptedBrowser *>(m_fixture->documents->activeDocument()->web())->calls;
    }

private slots:
    void cleanup() { m_fixture.reset(); }

    void layout()
    {
        start({"t 1=abc", "t 2=中文", "t 3=ab😀"});
        QCOMPARE(child<QPushButton>(m_page, QStringLiteral("cmdEDITAUTOtxt"))->text(), QStringLiteral("修改选定项"));
        QCOMPARE(child<QPushButton>(m_page, QStringLiteral("cmdSendSELECTEDITEM"))->text(), QStringLiteral("发送选定项"));
        QCOMPARE(list()->width(), m_page->width());
        QCOMPARE(list()->mapTo(m_page, QPoint(0, list()->height())).y(), m_page->height());
        QCOMPARE(list()->count(), 100);
        QCOMPARE(list()->item(99)->text(), QStringLiteral("<无>"));
        // Latin rows as tall as Chinese ones.
        for (int row = 1; row < 4; ++row)
            QCOMPARE(list()->visualItemRect(list()->item(row)).height(), list()->visualItemRect(list()->item(0)).height());
    }

    // The editor starts from the row's text, the cursor at its end; Escape keeps the slot.
    void editingASlot_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("answer"); // null: Escape
        QTest::addColumn<QString>("shown");
        QTest::newRow("new text") << 1 << "李四" << "李四";
        QTest::newRow("cancel keeps it") << 1 << QString() << "张三";
        QTest::newRow("cleared") << 1 << "" << "<无>";
        QTest::newRow("the placeholder kept") << 0 << "<无>" << "<无>";
        QTest::newRow("a pasted line break is Enter") << 1 << "第一行\n第二行" << "第一行~第二行";
        QTest::newRow("blanks at the ends kept") << 1 << "  李四 " << "  李四 ";
        QTest::newRow("only blanks") << 1 << "   " << "   ";
    }
    void editingASlot()
    {
        QFETCH(int, row);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        start({"t 2=张三"});
        const QString before = list()->item(row)->text();
        QVERIFY(openEditor(row));
        QCOMPARE(box()->toPlainText(), before);
        QCOMPARE(box()->textCursor().position(), before.size());
        QCOMPARE(box()->textCursor().hasSelection(), before == QStringLiteral("<无>")); // typing replaces it
        if (answer.isNull()) {
            key(Qt::Key_Escape);
        } else {
            retype(answer);
            key(Qt::Key_Return);
            QCOMPARE(list()->currentRow(), -1); // no row chosen after the reload
            QCOMPARE(list()->selectedItems().size(), 0);
        }
        QVERIFY(!editor());
        QCOMPARE(list()->item(row)->text(), shown);
    }

    // A snippet of 254 bytes is read whole, its bytes counted as typed; too long, or with
    // a mistake in its keys that the user will mend, it stays in the editor.
    void aLongSnippetInTheEditor()
    {
        const QString snippet = QString(254, u'W'); // the widest to read
        start({"t 1=" + snippet});
        QVERIFY(openEditor(0));
        const auto *layout = box()->document()->documentLayout();
        QVERIFY(layout->blockBoundingRect(box()->document()->firstBlock()).height() <= box()->viewport()->height());
        auto *bytes = child<QLabel>(editor(), QStringLiteral("lblBytes"));
        QCOMPARE(bytes->text(), QStringLiteral("已用 254 / 254 字节"));
        QTest::keyClicks(box(), QStringLiteral("ab"));
        QCOMPARE(bytes->text(), QStringLiteral("已用 256 / 254 字节，超出 2 字节"));
        m_fixture->prompts().expectMessage(QStringLiteral("每项最多 254 个字节"));
        key(Qt::Key_Return);
        QVERIFY(box());
        QCOMPARE(box()->toPlainText(), snippet + QStringLiteral("ab"));
        QCOMPARE(box()->textCursor().position(), snippet.size() + 2);
        QVERIFY(!box()->textCursor().hasSelection());
        QTest::keyClicks(box(), QStringLiteral("\b\b\b\b{"));
        const QString mistake = QStringLiteral("自动填表内容格式有误：第 %1 个字符：“{”没有对应的“}”").arg(snippet.size() - 1);
        m_fixture->prompts().expectMessage(mistake, Prompts::No);
        key(Qt::Key_Return);
        QVERIFY(editor());
        m_fixture->prompts().expectMessage(mistake, Prompts::Yes);
        key(Qt::Key_Return);
        QVERIFY(!editor());
        QCOMPARE(list()->item(0)->text(), snippet.chopped(2) + u'{');
    }

    // The message, and the editor still holds what was typed until it can be stored.
    void aSnippetThatCannotBeSavedStaysInTheEditor()
    {
        start({"t 1=张三"});
        const QString file = m_fixture->app.profileFile(QStringLiteral("autotxt.ini"));
        QVERIFY(QFile::remove(file) && QDir().mkdir(file)); // no file can take its place
        QVERIFY(openEditor(0));
        retype(QStringLiteral("李四"));
        const ExpectedWarning warned(QRegularExpression(QStringLiteral("cannot write")));
        m_fixture->prompts().expectMessage(QStringLiteral("无法保存："));
        key(Qt::Key_Return);
        QVERIFY(editor());
        QCOMPARE(box()->toPlainText(), QStringLiteral("李四"));
        QVERIFY(QDir().rmdir(file));
        key(Qt::Key_Return);
        QVERIFY(!editor());
        QCOMPARE(list()->item(0)->text(), QStringLiteral("李四"));
    }

    // Sent by the button, a double click or Enter, never by the click that chooses, even where
    // the desktop style activates items on a single click; a double click on the placeholder edits.
    void sendingTheChosenSlot()
    {
        start({"t 1=a{TAB}b~"});
        auto *style = new SingleClickStyle;
        style->setParent(list());
        list()->setStyle(style);
        m_fixture->openDocument();
        choose(0);
        QCOMPARE(calls(), QStringList());
        press("cmdSendSELECTEDITEM");
        QCOMPARE(calls(), QStringList{QStringLiteral("sendKeys 4")});
        doubleClick(0);
        QCOMPARE(calls().size(), 2);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(calls().size(), 3);
        choose(1);
        m_fixture->press("cmdSendSELECTEDITEM");
        QCOMPARE(calls().last(), QStringLiteral("sendKeys 1"));
        doubleClick(1);
        QTRY_VERIFY(editor());
        key(Qt::Key_Escape);
        QCOMPARE(calls().size(), 4);
    }

    void nothingIsTypedWithoutAPageOrWithAMistake()
    {
        start({"t 1={TAB", "t 2=ok"});
        choose(1);
        m_fixture->press("cmdSendSELECTEDITEM");
        QCOMPARE(m_fixture->notes, QStringList{QStringLiteral("没有打开的网页窗口，自动填表内容没有发送")});
        m_fixture->openDocument();
        m_fixture->prompts().expectMessage(QStringLiteral("自动填表内容格式有误：第 1 个字符"));
        choose(0);
        m_fixture->press("cmdSendSELECTEDITEM");
        QCOMPARE(calls(), QStringList());
    }

    // Into the field the user clicked, its leading blank kept, Chinese whole, Tab to the next
    // field, +2 typing "@" as Shift+2 does, ~ submitting; the address box that had the keys
    // last gets nothing. The title shows blanks as "_".
    void aSnippetFillsAFormAndSubmitsIt()
    {
        start({"t 1=\" 张三{TAB}zhangsan+2example.com{TAB}13800000000~\""}, PageFixture::Real);
        frmDocument *document = m_fixture->openDocument();
        document->web()->navigate(m_fixture->app.writeFile(QStringLiteral("form.htm"), FormPage));
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("Form"));
        auto *view = qobject_cast<WebEngineBrowser *>(document->web())->view();
        const QVariantList field = evaluate(document->web(), QStringLiteral("var r=a.getBoundingClientRect();[r.x+5,r.y+5]")).toList();
        QCOMPARE(field.size(), 2);
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(field[0].toInt(), field[1].toInt()));
        QTRY_VERIFY(evaluate(document->web(), QStringLiteral("document.activeElement.id")).toString() == QLatin1String("a"));
        document->focusAddress();
        QSignalSpy sent(document->web(), &BrowserControl::keysSent);
        choose(0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(sent.count(), 1, 10000);
        QTRY_COMPARE(document->windowTitle(), QStringLiteral("sent _张三|zhangsan@example.com|13800000000"));
        QCOMPARE(child<QComboBox>(document, QStringLiteral("Combo"))->currentText(), document->web()->locationURL());
    }
};

QTEST_MAIN(tst_AutotextPage)
#include "tst_autotextpage.moc"
