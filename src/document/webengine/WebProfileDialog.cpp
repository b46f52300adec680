#include "WebProfileDialog.h"

#include "WebEngineEnvironment.h"
#include "core/Prompts.h"
#include "WebSettings.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

WebProfileDialog::WebProfileDialog(WebEngineEnvironment &web, Prompts &prompts, RunningSettings &settings,
                                   QWidget *parent)
    : QDialog(parent), m_web(web), m_prompts(prompts), m_settings(settings), m_javaScript(new QCheckBox(QStringLiteral("启用 JavaScript"))),
      m_images(new QCheckBox(QStringLiteral("自动加载图片"))), m_downloadFolder(new QLineEdit), m_done(new QLabel)
{
    setObjectName(QStringLiteral("WebProfileDialog"));
    setWindowTitle(QStringLiteral("Internet 选项"));
    m_javaScript->setObjectName(QStringLiteral("chkJavaScript"));
    m_images->setObjectName(QStringLiteral("chkImages"));
    m_downloadFolder->setObjectName(QStringLiteral("txtDownloadFolder"));
    m_done->setObjectName(QStringLiteral("lblDone"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (apply())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &WebProfileDialog::apply);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildPrivacy());
    layout->addWidget(buildContent());
    layout->addWidget(m_done);
    layout->addWidget(buttons);
}

QWidget *WebProfileDialog::buildPrivacy()
{
    auto *box = new QGroupBox(QStringLiteral("浏览历史记录"));
    auto *row = new QHBoxLayout(box);
    const auto button = [row, this](const QString &text, const char *name, void (WebProfileDialog::*handler)()) {
        auto *b = new QPushButton(text);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, handler);
        row->addWidget(b);
    };
    button(QStringLiteral("清除缓存"), "btnClearCache", &WebProfileDialog::clearCache);
    button(QStringLiteral("删除 Cookie"), "btnClearCookies", &WebProfileDialog::clearCookies);
    button(QStringLiteral("清除历史记录"), "btnClearHistory", &WebProfileDialog::clearHistory);
    return box;
}

QWidget *WebProfileDialog::buildContent()
{
    auto *box = new QGroupBox(QStringLiteral("内容"));
    auto *layout = new QVBoxLayout(box);
    m_javaScript->setChecked(m_web.profile()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    m_images->setChecked(m_web.mediaAllowed(BrowserFactory::Media::Pictures));
    m_downloadFolder->setText(m_web.profile()->downloadPath());
    layout->addWidget(m_javaScript);
    layout->addWidget(m_images);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("下载文件夹：")));
    row->addWidget(m_downloadFolder, 1);
    auto *browse = new QPushButton(QStringLiteral("浏览..."));
    connect(browse, &QPushButton::clicked, this, &WebProfileDialog::chooseFolder);
    row->addWidget(browse);
    layout->addLayout(row);
    return box;
}

void WebProfileDialog::chooseFolder()
{
    const QString folder = m_prompts.folder(this, QStringLiteral("选择下载文件夹"), m_downloadFolder->text());
    if (!folder.isEmpty())
        m_downloadFolder->setText(folder);
}

void WebProfileDialog::clearCache()
{
    m_web.profile()->clearHttpCache();
    m_done->setText(QStringLiteral("缓存已清除。"));
}

void WebProfileDialog::clearCookies()
{
    m_web.profile()->cookieStore()->deleteAllCookies();
    m_done->setText(QStringLiteral("Cookie 已删除。"));
}

void WebProfileDialog::clearHistory()
{
    m_web.clearHistory();
    m_done->setText(QStringLiteral("历史记录已清除。"));
}

bool WebProfileDialog::apply()
{
    QString error;
    const QString folder = m_downloadFolder->text().trimmed();
    const bool saved = m_settings.transaction([&] {
        m_settings.setOn(WebSettings::JavaScript, m_javaScript->isChecked());
        if (!folder.isEmpty())
            m_settings.set(WebSettings::DownloadFolder, folder);
    }, &error);
    if (!saved) {
        m_prompts.message(this, SettingsStore::failureText(error), windowTitle(), Prompts::Critical);
        return false;
    }
    m_web.loadOptions();
    if (m_images->isChecked() != m_web.mediaAllowed(BrowserFactory::Media::Pictures))
        m_web.setMediaAllowed(BrowserFactory::Media::Pictures, m_images->isChecked());
    return true;
}
