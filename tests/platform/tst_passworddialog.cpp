#include "Named.h"
#include "platform/PasswordDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// A password typed by keys alone; the keyring box only when the keyring can keep it.
class tst_PasswordDialog : public QObject
{
    Q_OBJECT

    static void press(int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); }

private slots:
    void typedByKeys_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("tick"); // the user ticks the box when Tab reaches it
        QTest::addColumn<int>("finish");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("remember");
        const QString missing = QStringLiteral("没有正在运行的密钥环服务（Secret Service），无法记住密码");
        QTest::newRow("ticked") << QString() << true << int(Qt::Key_Return) << true << true;
        QTest::newRow("left unticked") << QString() << false << int(Qt::Key_Return) << true << false;
        QTest::newRow("no keyring") << missing << true << int(Qt::Key_Return) << true << false;
        QTest::newRow("escape") << QString() << true << int(Qt::Key_Escape) << false << true;
    }
    void typedByKeys()
    {
        QFETCH(QString, note);
        QFETCH(bool, tick);
        QFETCH(int, finish);
        QFETCH(bool, accepted);
        QFETCH(bool, remember);
        PasswordDialog dialog(QStringLiteral("请输入 SMTP 服务器的密码"), note);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *password = child<QLineEdit>(&dialog, QStringLiteral("txtPassword"));
        auto *box = child<QCheckBox>(&dialog, QStringLiteral("chkRemember"));
        QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        QCOMPARE(QApplication::focusWidget(), password);
        QCOMPARE(box->text(), QStringLiteral("记住密码"));
        QVERIFY(!box->isChecked());
        QCOMPARE(box->isEnabled(), note.isEmpty());
        QCOMPARE(box->toolTip(), note);
        QVERIFY(!ok->isEnabled());
        press(Qt::Key_Return); // nothing typed yet: not accepted
        QVERIFY(dialog.isVisible());

        const QString typed = QStringLiteral("p@ss word;1");
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QVERIFY(ok->isEnabled());
        // Once round the focus chain, back to the password.
        bool reached = false;
        int steps = 0;
        do {
            press(Qt::Key_Tab);
            if (QApplication::focusWidget() == box) {
                reached = true;
                if (tick)
                    press(Qt::Key_Space);
            }
        } while (QApplication::focusWidget() != password && ++steps < 5);
        QCOMPARE(QApplication::focusWidget(), password);
        QCOMPARE(reached, note.isEmpty());
        QCOMPARE(box->isChecked(), remember);

        press(finish);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), accepted ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(dialog.password(), typed);
        QCOMPARE(dialog.remember(), remember);
    }
};

QTEST_MAIN(tst_PasswordDialog)
#include "tst_passworddialog.moc"
