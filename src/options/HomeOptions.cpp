#include "HomeOptions.h"

#include "DesktopLauncher.h"
#include "core/Addresses.h"
#include "core/ProcessLauncher.h"
#include "core/Prompts.h"
#include "core/RunningSettings.h"
#include "core/SettingKeys.h"
#include "platform/PanelLayout.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using PanelLayout::named;

namespace {

QPushButton *button(const char *name, const QString &caption) { return named(new QPushButton(caption), name); }

} // namespace

HomeOptions::HomeOptions(const AppContext &context, QWidget *parent)
    : OptionsSection(QStringLiteral("常规"), parent), m_context(context),
      txtHomepage(named(new QLineEdit(context.settings->text(SettingKeys::Homepage)), "txtHomepage")),
      chkNWindowWithHome(named(new QCheckBox(QStringLiteral("新窗口访问主页")), "chkNWindowWithHome")),
      cmdIEhomepage(button("cmdIEhomepage", QStringLiteral("IE首页"))),
      cmdBlackHomepage(button("cmdBlackHomepage", QStringLiteral("空白页"))),
      cmdCreateLNK(button("cmdCreateLNK", QStringLiteral("在桌面创建Vantorel快捷方式")))
{
    chkNWindowWithHome->setChecked(context.settings->numberOrDefault(SettingKeys::NWindowWithHomepage) == 1);
    auto *home = new QGroupBox(QStringLiteral("主页"));
    auto *grid = new QGridLayout(home);
    grid->addWidget(txtHomepage, 0, 0, 1, 3);
    grid->addWidget(chkNWindowWithHome, 1, 0);
    grid->addWidget(cmdIEhomepage, 1, 1);
    grid->addWidget(cmdBlackHomepage, 1, 2);
    grid->setColumnStretch(0, 1);
    QVBoxLayout *layout = PanelLayout::column(this, 0);
    layout->addWidget(home);
    layout->addWidget(cmdCreateLNK, 0, Qt::AlignLeft);
    connect(cmdIEhomepage, &QPushButton::clicked, this, &HomeOptions::cmdIEhomepage_Click);
    connect(cmdBlackHomepage, &QPushButton::clicked, this, &HomeOptions::cmdBlackHomepage_Click);
    connect(cmdCreateLNK, &QPushButton::clicked, this, &HomeOptions::cmdCreateLNK_Click);
}

void HomeOptions::apply(RunningSettings &settings, QString *error)
{
    settings.set(SettingKeys::Homepage, txtHomepage->text(), error);
    settings.setNumber(SettingKeys::NWindowWithHomepage, chkNWindowWithHome->isChecked() ? 1 : 0, error);
}

void HomeOptions::cmdIEhomepage_Click() { txtHomepage->setText(Addresses::IEHomepage); }
void HomeOptions::cmdBlackHomepage_Click() { txtHomepage->setText(QStringLiteral("About:blank")); }

void HomeOptions::cmdCreateLNK_Click()
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
