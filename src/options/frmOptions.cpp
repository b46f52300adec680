#include "frmOptions.h"

#include "DesktopLauncher.h"
#include "core/Addresses.h"
#include "core/BrowseFolder.h"
#include "core/ProcessLauncher.h"
#include "core/Prompts.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "core/Twips.h"
#include "document/SubsystemContext.h"
#include "linktools/LinkToolsPage.h"
#include "platform/NumberFieldGuard.h"
#include "platform/PanelLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <functional>

using PanelLayout::named;

namespace {

const QString AnonymousAddress = QStringLiteral("AnyUser@example.com");
constexpr int MaxWait = 60000;

QPushButton *button(const char *name, const QString &caption) { return named(new QPushButton(caption), name); }

} // namespace

frmOptions::frmOptions(const SubsystemContext &context, LinkTools &linkTools, QWidget *parent)
    : QDialog(parent), m_context(context), tbsOptions(named(new QTabWidget, "tbsOptions")),
      txtFavorites(named(new QLineEdit, "txtFavorites")), cmdChageBookmarkpath(button("cmdChageBookmarkpath", QStringLiteral(".."))),
      optBK1(named(new QRadioButton(QStringLiteral("单击书签项后立即访问书签指向站点")), "optBK1")),
      optBK2(named(new QRadioButton(QStringLiteral("单击访问按钮访问书签指向站点")), "optBK2")),
      txtHomepage(named(new QLineEdit, "txtHomepage")),
      chkNWindowWithHome(named(new QCheckBox(QStringLiteral("新窗口访问主页")), "chkNWindowWithHome")),
      cmdIEhomepage(button("cmdIEhomepage", QStringLiteral("IE首页"))),
      cmdBlackHomepage(button("cmdBlackHomepage", QStringLiteral("空白页"))),
      cmdCreateLNK(button("cmdCreateLNK", QStringLiteral("在桌面创建Vantorel快捷方式"))),
      txtPingtime(named(new QLineEdit, "txtPingtime")), txtNetstattime(named(new QLineEdit, "txtNetstattime")),
      cmdSettoDefaultTime(button("cmdSettoDefaultTime", QStringLiteral("默认值"))),
      txtSmtpServer(named(new QLineEdit, "txtSmtpServer")), txtUserName(named(new QLineEdit, "txtUserName")),
      txtMyEmail(named(new QLineEdit, "txtMyEmail")),
      cmdSetEmailToanyones(button("cmdSetEmailToanyones", QStringLiteral("设置为匿名"))),
      cmdOK(button("cmdOK", QStringLiteral("确定"))), cmdCancel(button("cmdCancel", QStringLiteral("取消"))),
      cmdApply(button("cmdApply", QStringLiteral("应用(&A)")))
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("选项"));
    setMinimumWidth(6195 / Twips);
    const QList<std::pair<QWidget *, QString>> panes = {{buildGeneral(), QStringLiteral("常规")},
                                                        {buildMail(), QStringLiteral("邮件")},
                                                        {new LinkToolsPage(linkTools), QStringLiteral("外接程序")}};
    for (int i = 0; i < panes.size(); ++i) {
        panes.at(i).first->setObjectName(QStringLiteral("PicOPTIONS%1").arg(i));
        tbsOptions->addTab(panes.at(i).first, panes.at(i).second);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions, 1);
    buildButtons();
    // The next and the previous tab from anywhere in the dialog, round the ends.
    const std::pair<QKeySequence, int> keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                                                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}};
    for (const auto &[key, step] : keys) {
        auto *action = new QAction(this);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, [this, step = step] { switchTab(step); });
        addAction(action);
    }
    // Empty, or a whole number of 1 to 60000 milliseconds without a leading zero.
    const NumberFieldGuard::Rules waits{5, MaxWait, QStringLiteral("允许最大值为60000各千分之一秒，即60秒或者1分钟")};
    for (QLineEdit *wait : {txtPingtime, txtNetstattime})
        new NumberFieldGuard(wait, waits, [this](const QString &why) { error(why); });
    Form_Load();
}

QWidget *frmOptions::buildGeneral()
{
    auto *pane = new QWidget;
    auto *layout = new QVBoxLayout(pane);

    auto *bookmarks = new QGroupBox(QStringLiteral("书签"));
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("收藏夹地址：")));
    folderRow->addWidget(txtFavorites, 1);
    folderRow->addWidget(cmdChageBookmarkpath);
    auto *bookmarkLayout = new QVBoxLayout(bookmarks);
    bookmarkLayout->addLayout(folderRow);
    bookmarkLayout->addWidget(optBK1);
    bookmarkLayout->addWidget(optBK2);

    auto *home = new QGroupBox(QStringLiteral("主页"));
    auto *homeLayout = new QGridLayout(home);
    homeLayout->addWidget(txtHomepage, 0, 0, 1, 3);
    homeLayout->addWidget(chkNWindowWithHome, 1, 0);
    homeLayout->addWidget(cmdIEhomepage, 1, 1);
    homeLayout->addWidget(cmdBlackHomepage, 1, 2);
    homeLayout->setColumnStretch(0, 1);

    auto *waits = new QGroupBox(QStringLiteral("Ping、Netstat等待时间（单位：千分之一秒）"));
    auto *waitLayout = new QHBoxLayout(waits);
    waitLayout->addWidget(new QLabel(QStringLiteral("Ping")));
    waitLayout->addWidget(txtPingtime);
    waitLayout->addWidget(new QLabel(QStringLiteral("Netstat")));
    waitLayout->addWidget(txtNetstattime);
    waitLayout->addWidget(cmdSettoDefaultTime);

    layout->addWidget(bookmarks);
    layout->addWidget(home);
    layout->addWidget(cmdCreateLNK, 0, Qt::AlignLeft);
    layout->addWidget(waits);
    layout->addStretch();

    connect(cmdChageBookmarkpath, &QPushButton::clicked, this, &frmOptions::cmdChageBookmarkpath_Click);
    connect(cmdIEhomepage, &QPushButton::clicked, this, &frmOptions::cmdIEhomepage_Click);
    connect(cmdBlackHomepage, &QPushButton::clicked, this, &frmOptions::cmdBlackHomepage_Click);
    connect(cmdCreateLNK, &QPushButton::clicked, this, &frmOptions::cmdCreateLNK_Click);
    connect(cmdSettoDefaultTime, &QPushButton::clicked, this, &frmOptions::cmdSettoDefaultTime_Click);
    return pane;
}

QWidget *frmOptions::buildMail()
{
    auto *pane = new QWidget;
    auto *form = new QFormLayout(pane);
    form->addRow(QStringLiteral("SMTP发件服务器"), txtSmtpServer);
    form->addRow(QStringLiteral("你的名字"), txtUserName);
    form->addRow(QStringLiteral("你的电子邮件"), txtMyEmail);
    auto *note = named(new QLabel(QStringLiteral("请保证你的名字出现在你的电子邮件地址的@符号前面，"
                                                 "否则会导致收邮件的一方看到你的邮件的发件人是错误的")),
                       "lblMailNote");
    note->setWordWrap(true);
    form->addRow(note);
    form->addRow(QString(), cmdSetEmailToanyones);
    connect(cmdSetEmailToanyones, &QPushButton::clicked, this, &frmOptions::cmdSetEmailToanyones_Click);
    return pane;
}

void frmOptions::buildButtons()
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *b : {cmdOK, cmdCancel, cmdApply})
        row->addWidget(b);
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
}

void frmOptions::Form_Load()
{
    const SettingsStore &store = m_context.settings->store();
    tbsOptions->setCurrentIndex(0);
    txtFavorites->setText(store.get(SettingKeys::IEFavoritesFolder));
    const double click = leadingNumber(store.get(SettingKeys::ClickBookmark)).value_or(0);
    // Another number chooses neither, which a group of choices does not allow by itself.
    for (QRadioButton *option : {optBK1, optBK2})
        option->setAutoExclusive(false);
    optBK1->setChecked(click == 1);
    optBK2->setChecked(click == 0);
    for (QRadioButton *option : {optBK1, optBK2})
        option->setAutoExclusive(true);
    txtHomepage->setText(store.get(SettingKeys::Homepage));
    chkNWindowWithHome->setChecked(store.number(SettingKeys::NWindowWithHomepage) == 1);
    txtPingtime->setText(store.get(SettingKeys::PingTime));
    txtNetstattime->setText(store.get(SettingKeys::NetStatTime));
    txtSmtpServer->setText(store.get(SettingKeys::SmtpServer));
    txtUserName->setText(store.get(SettingKeys::UserNameRead));
    txtMyEmail->setText(store.get(SettingKeys::MyEmail));
}

void frmOptions::switchTab(int step)
{
    tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + step + tbsOptions->count()) % tbsOptions->count());
}

void frmOptions::error(const QString &text)
{
    m_context.prompts->message(this, text, QStringLiteral("错误"), Prompts::Critical);
}

// The settings in the order the program writes them, and into the running program once stored.
bool frmOptions::cmdApply_Click()
{
    RunningSettings &running = *m_context.settings;
    SettingsStore &store = running.store();
    const QString newWindow = chkNWindowWithHome->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    const std::function<bool(QString *)> steps[] = {
        [&](QString *why) { return running.setIEFavorites(txtFavorites->text(), why); },
        [&](QString *why) { return running.setHomepage(txtHomepage->text(), why); },
        [&](QString *why) { return store.save(SettingKeys::NWindowWithHomepage, newWindow, why); },
        [&](QString *why) {
            return !(optBK1->isChecked() || optBK2->isChecked())
                || running.setClickBookmark(optBK1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), why);
        },
        [&](QString *why) { return running.setPingTime(txtPingtime->text(), why); },
        [&](QString *why) { return running.setNetStatTime(txtNetstattime->text(), why); },
        [&](QString *why) { return running.setSmtpServer(txtSmtpServer->text(), why); },
        [&](QString *why) { return running.setUserName(txtUserName->text(), why); },
        [&](QString *why) { return running.setMyEmail(txtMyEmail->text(), why); },
    };
    // One write for the lot; nothing changes in the running program unless it succeeds.
    QString why;
    if (running.transaction([&] {
            for (const auto &step : steps)
                step(&why);
        }, &why))
        return true;
    error(SettingsStore::failureText(why));
    return false;
}

// A failed apply keeps the dialog open with what was typed.
void frmOptions::cmdOK_Click()
{
    if (cmdApply_Click())
        accept();
}

void frmOptions::cmdIEhomepage_Click() { txtHomepage->setText(Addresses::IEHomepage); }
void frmOptions::cmdBlackHomepage_Click() { txtHomepage->setText(QStringLiteral("About:blank")); }

void frmOptions::cmdSettoDefaultTime_Click()
{
    txtPingtime->setText(QStringLiteral("5000"));
    txtNetstattime->setText(QStringLiteral("10000"));
}

void frmOptions::cmdSetEmailToanyones_Click()
{
    txtUserName->setText(QStringLiteral("AnyUser"));
    txtMyEmail->setText(AnonymousAddress);
}

// A cancelled pick leaves the folder as it was.
void frmOptions::cmdChageBookmarkpath_Click()
{
    const QString folder = BrowseFolder(*m_context.prompts, this, QStringLiteral("请选择你的IE收藏夹位置"));
    if (!folder.isEmpty())
        txtFavorites->setText(folder);
}

void frmOptions::cmdCreateLNK_Click()
{
    const QString icon = m_context.programFolder + QStringLiteral("/images/vantorel.svg");
    QString why;
    const QString launcher =
        DesktopLauncher::write(DesktopLauncher::desktopFolder(), QCoreApplication::applicationFilePath(), icon, &why);
    if (launcher.isEmpty()) {
        m_context.prompts->message(this, QStringLiteral("无法在桌面创建快捷方式：%1").arg(why), QStringLiteral("错误"),
                                   Prompts::Critical);
        return;
    }
    // File managers that ask before starting a launcher stop asking for a trusted one.
    m_context.launcher->startDetached(QStringLiteral("gio"), {QStringLiteral("set"), launcher,
                                                              QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    m_context.prompts->message(this, QStringLiteral("成功创建"), QStringLiteral("OK"), Prompts::Information);
}
