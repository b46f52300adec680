#include "FileSizeLimit.h"
#include "ModalWatcher.h"
#include "Named.h"
#include "PageFixture.h"
#include "UserInput.h"
#include "core/IniFile.h"
#include "core/SettingsStore.h"
#include "shell/Rooms.h"
#include "options/DesktopLauncher.h"
#include "options/frmOptions.h"

#include "bookmarks/BookmarkSettings.h"
#include "nettools/NetSettings.h"
#include "core/RunningSettings.h"
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

// "选项": what it loads, what it lets through, and what Apply writes and changes.
class tst_frmOptions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PageFixture> m_fixture;
    QList<Room *> m_rooms;
    std::unique_ptr<frmOptions> m_options;

    SettingsStore &store() { return m_fixture->app.settings(); }
    void open()
    {
        m_fixture = std::make_unique<PageFixture>();
        m_rooms = Rooms::make(m_fixture->context, &m_fixture->window);
    }
    void show()
    {
        m_options = std::make_unique<frmOptions>(m_rooms, m_fixture->running, m_fixture->prompts());
        m_fixture->page = m_options.get();
        m_options->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_options.get()));
    }
    QByteArray settingsFile()
    {
        QFile file(store().fileFor(AppTitle));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void cleanup()
    {
        m_options.reset();
        m_fixture.reset();
    }

    // What survives is empty or a whole number from 1 to 60000 without a leading zero.
    void waitsAreChecked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("a leading zero") << "0" << "首位不可以为0";
        QTest::newRow("the most") << "60000" << "";
        QTest::newRow("more") << "60001" << "允许最大值为60000各千分之一秒，即60秒或者1分钟";
        QTest::newRow("six characters") << "100000" << "允许最大值为60000各千分之一秒，即60秒或者1分钟";
        QTest::newRow("a letter") << "12a" << "请输入一个数字";
    }
    void waitsAreChecked()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        open();
        show();
        if (!message.isEmpty())
            m_fixture->prompts().expectMessage(message);
        for (const char *name : {"txtPingtime", "txtNetstattime"}) {
            QWidget *keys = clickToFocus(m_fixture->field(name));
            QCOMPARE(keys, m_fixture->field(name));
            QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(keys, typed);
            QCOMPARE(m_fixture->field(name)->text(), message.isEmpty() ? typed : QString());
            if (!message.isEmpty() && qstrcmp(name, "txtPingtime") == 0)
                m_fixture->prompts().expectMessage(message);
        }
        QCOMPARE(m_fixture->prompts().messages.size(), message.isEmpty() ? 0 : 2);
        if (!message.isEmpty())
            QCOMPARE(m_fixture->prompts().messages.first().title, QStringLiteral("错误"));
    }

    void ctrlTabGoesRoundTheTabs()
    {
        open();
        show();
        auto *tabs = m_fixture->field<QTabWidget>("tbsOptions");
        QCOMPARE(tabs->tabText(0) + tabs->tabText(1) + tabs->tabText(2), QStringLiteral("常规邮件外接程序"));
        QWidget *keys = clickToFocus(m_fixture->field("txtHomepage"));
        QVERIFY(keys);
        QTest::keyClick(keys, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 2);
        // Link tools are saved as they change, which their pane says.
        auto *note = m_fixture->field<QLabel>("lblLinkToolsNote");
        QVERIFY(note && note->isVisible() && note->text().contains(QStringLiteral("取消")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
    }

    void theClickModeAsStored_data()
    {
        QTest::addColumn<QString>("stored"); // null: nothing stored
        QTest::addColumn<QString>("chosen");
        QTest::newRow("nothing stored") << QString() << "optBK2";
        QTest::newRow("1") << "1" << "optBK1";
        QTest::newRow("0") << "0" << "optBK2";
        QTest::newRow("2") << "2" << "";
    }
    void theClickModeAsStored()
    {
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        open();
        if (!stored.isNull())
            store().save(BookmarkSettings::ClickBookmark, stored);
        show();
        for (const char *name : {"optBK1", "optBK2"})
            QCOMPARE(m_fixture->field<QRadioButton>(name)->isChecked(), chosen == QLatin1String(name));
        // Nothing chosen writes nothing.
        m_fixture->press("cmdApply");
        const QString written = chosen == QLatin1String("optBK1") ? QStringLiteral("1")
                              : chosen == QLatin1String("optBK2") ? QStringLiteral("0")
                                                                  : stored;
        QCOMPARE(store().get(BookmarkSettings::ClickBookmark), written);
    }

    void cancelWritesNothing()
    {
        open();
        show();
        const QByteArray before = settingsFile();
        for (const char *name : {"txtFavorites", "txtHomepage", "txtPingtime", "txtSmtpServer", "txtUserName", "txtMyEmail"})
            m_fixture->field(name)->setText(QStringLiteral("1"));
        m_fixture->field<QCheckBox>("chkNWindowWithHome")->setChecked(true);
        m_fixture->field<QRadioButton>("optBK1")->setChecked(true);
        m_fixture->press("cmdCancel");
        QVERIFY(!m_options->isVisible());
        QCOMPARE(settingsFile(), before);
        QCOMPARE(m_fixture->running.text(SettingKeys::Homepage), SettingKeys::Homepage.defaultValue);
    }

    // Every field of every section is stored under its own name by one write of 应用, and
    // whoever follows a setting hears it; each field has a value of its own, so two names
    // swapped in a declaration show.
    void everyFieldIsApplied()
    {
        open();
        show();
        const std::tuple<const char *, const SettingKey &, const char *> fields[] = {
            {"txtFavorites", BookmarkSettings::IEFavoritesFolder, "IE Favorites Folder=/f1"},
            {"txtHomepage", SettingKeys::Homepage, "Homepage=https://h2/"},
            {"txtPingtime", NetSettings::PingTime, "PingTime=1003"},
            {"txtNetstattime", NetSettings::NetStatTime, "NetStatTime=1004"},
            {"txtSmtpServer", NetSettings::SmtpServer, "SMTP=smtp5.example"},
            {"txtUserName", NetSettings::UserName, "UserName=name6"},
            {"txtMyEmail", NetSettings::MyEmail, "MyEmail=me7@example.com"}};
        QStringList heard;
        for (const auto &[name, key, line] : fields) {
            m_fixture->field(name)->setText(QString::fromUtf8(line).section(u'=', 1));
            m_fixture->running.follow(key, this, [&heard, name = name](const QString &) { heard.append(QLatin1String(name)); });
        }
        m_fixture->field<QCheckBox>("chkNWindowWithHome")->setChecked(true);
        m_fixture->field<QRadioButton>("optBK1")->setChecked(true);
        const quint64 writes = IniFile::writes();
        m_fixture->press("cmdApply");
        QCOMPARE(IniFile::writes() - writes, 1u);
        QCOMPARE(heard.size(), std::size(fields));
        const QByteArray written = settingsFile();
        for (const auto &[name, key, line] : fields)
            QVERIFY2(written.contains('\n' + QByteArray(line) + '\n'), line);
        for (const char *line : {"NWindowWithHomepage=1", "ClickBookmark=1"})
            QVERIFY2(written.contains('\n' + QByteArray(line) + '\n'), line);
        m_fixture->press("cmdOK");
        QVERIFY(!m_options->isVisible());
    }

    // The buttons fill their fields; the next opening shows what was applied.
    void buttonsFillTheirFields()
    {
        open();
        show();
        m_fixture->prompts().answerFile(QString()); // the folder picker cancelled keeps the field
        m_fixture->field("txtFavorites")->setText(QStringLiteral("/old"));
        m_fixture->press("cmdChageBookmarkpath");
        QCOMPARE(m_fixture->field("txtFavorites")->text(), QStringLiteral("/old"));
        m_fixture->prompts().answerFile(m_fixture->app.folder());
        m_fixture->press("cmdChageBookmarkpath");
        QCOMPARE(m_fixture->field("txtFavorites")->text(), m_fixture->app.folder());
        m_fixture->press("cmdIEhomepage");
        QCOMPARE(m_fixture->field("txtHomepage")->text(), QStringLiteral("IE Homepage"));
        m_fixture->press("cmdBlackHomepage");
        m_fixture->field("txtPingtime")->setText(QStringLiteral("1234"));
        m_fixture->press("cmdSetEmailToanyones");
        QCOMPARE(m_fixture->field("txtMyEmail")->text().section(u'@', 0, 0), QStringLiteral("AnyUser"));
        m_fixture->field<QCheckBox>("chkNWindowWithHome")->setChecked(true);
        m_fixture->field<QRadioButton>("optBK1")->setChecked(true);
        m_fixture->press("cmdOK");
        QCOMPARE(store().get(SettingKeys::Homepage), QStringLiteral("About:blank"));
        QCOMPARE(store().get(BookmarkSettings::IEFavoritesFolder), m_fixture->app.folder());
        QCOMPARE(store().get(NetSettings::PingTime), QStringLiteral("1234"));
        QCOMPARE(store().get(NetSettings::UserName), QStringLiteral("AnyUser"));
        show();
        QCOMPARE(m_fixture->field("txtHomepage")->text(), QStringLiteral("About:blank"));
        m_fixture->press("cmdSettoDefaultTime");
        QCOMPARE(m_fixture->field("txtPingtime")->text(), QStringLiteral("5000"));
        QCOMPARE(m_fixture->field("txtNetstattime")->text(), QStringLiteral("10000"));
    }

    // What the mail or the tools would refuse when used is refused by 应用 and 确定: the dialog
    // stays on the field's tab with what was typed, and nothing is written.
    void settingsTheToolsWouldRefuseAreNotStored_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("a port out of range") << QByteArray("txtSmtpServer") << "127.0.0.1:99999"
                                             << "SMTP发件服务器“127.0.0.1:99999”写得不对";
        QTest::newRow("no Ping wait") << QByteArray("txtPingtime") << "" << "Ping等待时间不能为空";
        QTest::newRow("no Netstat wait") << QByteArray("txtNetstattime") << "" << "Netstat等待时间不能为空";
    }
    void settingsTheToolsWouldRefuseAreNotStored()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        open();
        show();
        const QByteArray before = settingsFile();
        m_fixture->field("txtHomepage")->setText(QStringLiteral("https://example.org/"));
        auto *field = m_fixture->field(name.constData());
        field->setText(typed);
        for (const char *button : {"cmdApply", "cmdOK"}) {
            m_fixture->prompts().expectMessage(message);
            m_fixture->press(button);
            QVERIFY(m_options->isVisible() && field->isVisible());
            QCOMPARE(field->text(), typed);
        }
        QCOMPARE(m_fixture->prompts().messages.last().title, QStringLiteral("错误"));
        QCOMPARE(settingsFile(), before);
        QCOMPARE(m_fixture->running.text(SettingKeys::Homepage), SettingKeys::Homepage.defaultValue);
    }

    // A setting that cannot be stored is reported; the dialog stays open and the program keeps what it had.
    void aFailedWriteKeepsTheDialog()
    {
        open();
        show();
        m_fixture->field("txtHomepage")->setText(QStringLiteral("https://example.org/"));
        QFile blocker(store().folder()); // a file where the folder goes stops root too
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        m_fixture->prompts().expectMessage(QStringLiteral("无法保存设置：") + store().fileFor(AppTitle) + u'：');
        m_fixture->press("cmdOK");
        QVERIFY(m_options->isVisible());
        QCOMPARE(m_fixture->running.text(SettingKeys::Homepage), SettingKeys::Homepage.defaultValue);
    }

    // A launcher that desktop-file-validate accepts, started by its own Exec line.
    void desktopLauncher()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("my \"vantorel\" $1 100%.sh"));
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho ran > '%1'\n").arg(dir.filePath(QStringLiteral("ran"))).toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        QString why;
        const QString launcher = DesktopLauncher::write(dir.path(), program, QStringLiteral("/usr/share/icons/x.svg"), &why);
        QCOMPARE(launcher, dir.filePath(QStringLiteral("Vantorel II.desktop")));
        QVERIFY(QFileInfo(launcher).isExecutable());
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {launcher});
        QVERIFY(validate.waitForFinished());
        QCOMPARE(validate.readAll() + validate.readAllStandardError(), QByteArray());
        QCOMPARE(validate.exitCode(), 0);
        // The Exec line read back as a launcher does: string escapes, then the quoted argument.
        QFile entry(launcher);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QString exec = QString::fromUtf8(entry.readAll()).section(QStringLiteral("\nExec="), 1).section(u'\n', 0, 0);
        exec.replace(QStringLiteral("\\\\"), QStringLiteral("\\")).replace(QStringLiteral("%%"), QStringLiteral("%"));
        QVERIFY(exec.startsWith(u'"') && exec.endsWith(u'"'));
        exec = exec.mid(1, exec.size() - 2);
        QString path;
        for (qsizetype i = 0; i < exec.size(); ++i)
            path += exec.at(i) == u'\\' ? exec.at(++i) : exec.at(i);
        QCOMPARE(path, program);
        QCOMPARE(QProcess::execute(path, {}), 0);
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("ran"))));
    }

    // Reported as it went: done, or what stopped it.
    void theLauncherButtonSaysWhatHappened()
    {
        open();
        show();
        const QString launcher = DesktopLauncher::desktopFolder() + QStringLiteral("/Vantorel II.desktop");
        QVERIFY(launcher.startsWith(QDir::homePath()));
        {
            const FileSizeLimit full(10);
            m_fixture->prompts().expectMessage(QStringLiteral("无法在桌面创建快捷方式"));
            m_fixture->press("cmdCreateLNK");
        }
        QVERIFY(!QFileInfo::exists(launcher));
        m_fixture->prompts().expectMessage(QStringLiteral("成功创建"));
        m_fixture->press("cmdCreateLNK");
        QCOMPARE(m_fixture->prompts().messages.last().title, QStringLiteral("OK"));
        QVERIFY(QFileInfo(launcher).isExecutable());
        QCOMPARE(m_fixture->app.launcher.started.last().arguments,
                 (QStringList{QStringLiteral("set"), launcher, QStringLiteral("metadata::trusted"), QStringLiteral("true")}));
        QFile entry(launcher);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=" + DesktopLauncher::execField(QCoreApplication::applicationFilePath()).toUtf8()));
    }
};

QTEST_MAIN(tst_frmOptions)
#include "tst_frmoptions.moc"
