#include "WebPage.h"

#include "PopupPolicy.h"
#include "core/Prompts.h"

#include <QAuthenticator>
#include <QTimer>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineView>

namespace {

QString featureName(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::Geolocation: return QStringLiteral("获取您的位置");
    case QWebEnginePage::MediaAudioCapture: return QStringLiteral("使用麦克风");
    case QWebEnginePage::MediaVideoCapture: return QStringLiteral("使用摄像头");
    case QWebEnginePage::MediaAudioVideoCapture: return QStringLiteral("使用麦克风和摄像头");
    case QWebEnginePage::Notifications: return QStringLiteral("显示通知");
    case QWebEnginePage::DesktopVideoCapture:
    case QWebEnginePage::DesktopAudioVideoCapture: return QStringLiteral("录制您的屏幕");
    case QWebEnginePage::MouseLock: return QStringLiteral("锁定鼠标指针");
    }
    return QStringLiteral("使用一项受保护的功能");
}

QString origin(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment).toString();
}

// A site (or proxy) and its realm: one login asked for.
QString loginPlace(const QString &where, const QString &realm)
{
    return where + u'\n' + realm;
}

} // namespace

WebPage::WebPage(QWebEngineProfile *profile, Prompts &prompts, const PopupPolicy &popups, QObject *parent)
    : QWebEnginePage(profile, parent), m_prompts(prompts), m_popups(popups)
{
    // Asked here rather than in createWindow(), which is not told whether the user asked.
    connect(this, &QWebEnginePage::newWindowRequested, this, &WebPage::openWindow);
    connect(this, &QWebEnginePage::certificateError, this, [this](QWebEngineCertificateError error) {
        error.defer();
        QTimer::singleShot(0, this, [this, error] { askCertificate(error); });
    });
    connect(this, &QWebEnginePage::featurePermissionRequested, this, [this](const QUrl &origin, Feature feature) {
        QTimer::singleShot(0, this, [this, origin, feature] { askPermission(origin, feature); });
    });
    // The engine needs the answer before the handler returns.
    connect(this, &QWebEnginePage::authenticationRequired, this, [this](const QUrl &url, QAuthenticator *auth) {
        askCredentials(loginPlace(origin(url), auth->realm()),
                       QStringLiteral("%1 要求输入用户名和密码。站点说：“%2”").arg(url.host(), auth->realm()), auth);
    });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl &, QAuthenticator *auth, const QString &proxyHost) {
                askCredentials(loginPlace(QStringLiteral("proxy:") + proxyHost, auth->realm()),
                               QStringLiteral("代理服务器 %1 要求输入用户名和密码。").arg(proxyHost), auth);
            });
    connect(this, &QWebEnginePage::loadFinished, this, [this] { m_loginGiven.clear(); });
}

void WebPage::openWindow(QWebEngineNewWindowRequest &request)
{
    if (!m_popups.allows(url(), request.isUserInitiated()))
        return emit popupBlocked();
    if (QWebEnginePage *page = m_newWindow ? m_newWindow() : nullptr)
        request.openIn(page);
}

QWidget *WebPage::owner() const
{
    QWidget *view = QWebEngineView::forPage(this);
    return view ? view->window() : nullptr;
}

void WebPage::askCertificate(QWebEngineCertificateError error)
{
    const QString text = QStringLiteral("%1 的安全证书有问题：\n%2\n\n仍要继续访问吗？")
                             .arg(error.url().host(), error.description());
    const auto answer = m_prompts.message(owner(), text, QStringLiteral("安全警告"), Prompts::Warning,
                                          Prompts::Yes | Prompts::No);
    if (answer == Prompts::Yes)
        error.acceptCertificate();
    else
        error.rejectCertificate();
}

void WebPage::askPermission(const QUrl &origin, Feature feature)
{
    const QString text = QStringLiteral("%1 想要%2。允许吗？").arg(origin.host(), featureName(feature));
    const auto answer = m_prompts.message(owner(), text, QStringLiteral("权限请求"), Prompts::Question,
                                          Prompts::Yes | Prompts::No);
    setFeaturePermission(origin, feature,
                         answer == Prompts::Yes ? PermissionGrantedByUser : PermissionDeniedByUser);
}

// The engine asks the same place again only when the login it was given failed.
void WebPage::askCredentials(const QString &place, const QString &text, QAuthenticator *authenticator)
{
    const QString shown = place == m_loginGiven ? QStringLiteral("用户名或密码错误，请重新输入。\n") + text : text;
    QString user;
    QString password;
    if (m_prompts.credentials(owner(), shown, user, password)) {
        authenticator->setUser(user);
        authenticator->setPassword(password);
        m_loginGiven = place;
    } else {
        *authenticator = QAuthenticator(); // a null authenticator cancels the request
        m_loginGiven.clear();
    }
}
