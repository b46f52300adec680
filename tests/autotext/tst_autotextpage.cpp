#include "Named.h"
#include "PageFixture.h"
#include "autotext/AutotextPage.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

// The auto-text tab: two buttons over the list of snippets.
class tst_AutotextPage : public QObject
{
    Q_OBJECT

private slots:
    void layout()
    {
        PageFixture fixture;
        auto *page = new AutotextPage(fixture.context);
        QVERIFY(fixture.show(page));
        QCOMPARE(child<QPushButton>(page, QStringLiteral("cmdEDITAUTOtxt"))->text(), QStringLiteral("修改选定项"));
        QCOMPARE(child<QPushButton>(page, QStringLiteral("cmdSendSELECTEDITEM"))->text(), QStringLiteral("发送选定项"));
        auto *list = child<QListWidget>(page, QStringLiteral("lstAutotxt"));
        QCOMPARE(list->width(), page->width());
        QCOMPARE(list->mapTo(page, QPoint(0, list->height())).y(), page->height());
    }
};

QTEST_MAIN(tst_AutotextPage)
#include "tst_autotextpage.moc"
