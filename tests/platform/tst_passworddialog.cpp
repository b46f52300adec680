#include "Named.h"
#include "platform/PasswordDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

// A password typed by keys alone; the keyring box only when the keyring can keep it.
class tst_PasswordDialog : public QObject
{
    Q_OBJECT

    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

private slots:
    void typedByKeys_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<Qt::Key>("finish");
        QTest::newRow("ticked") << QString() << Qt::Key_Return;
        QTest::newRow("no keyring") << QStringLiteral("没有密钥环") << Qt::Key_Return;
        QTest::newRow("escape") << QString() << Qt::Key_Escape;
    }
    void typedByKeys()
    {
        QFETCH(QString, note);
        QFETCH(Qt::Key, finish);
        PasswordDialog dialog(QStringLiteral("请输入密码"), note);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *box = child<QCheckBox>(&dialog, QStringLiteral("chkRemember"));
        QVERIFY(!box->isChecked());
        QCOMPARE(box->toolTip(), note);
        press(Qt::Key_Return); // nothing typed: nothing to accept
        QVERIFY(dialog.isVisible());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("p@ss word"));
        press(Qt::Key_Tab); // to the box, or past a greyed one to 确定
        press(Qt::Key_Space);
        if (dialog.isVisible())
            press(finish);
        QCOMPARE(dialog.result(), finish == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(dialog.password(), QStringLiteral("p@ss word"));
        QCOMPARE(dialog.remember(), note.isEmpty());
    }
};

QTEST_MAIN(tst_PasswordDialog)
#include "tst_passworddialog.moc"
