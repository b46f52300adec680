#include "ScriptedBrowser.h"

#include <QTimer>

// Completes at once, from the event loop, as a page that is already there would.
void ScriptedBrowser::navigate(const QString &address)
{
    calls.append(QStringLiteral("navigate ") + address);
    m_address = address;
    QTimer::singleShot(0, this, [this, address] {
        emit DownloadComplete();
        emit DocumentComplete(address);
    });
}

// Typed at once, from the event loop, as into a page that has the focus.
void ScriptedBrowser::sendKeys(const QList<KeyStroke> &strokes)
{
    calls.append(QStringLiteral("sendKeys %1").arg(strokes.size()));
    QTimer::singleShot(0, this, &BrowserControl::keysSent);
}

QStringList ScriptedBrowser::navigations() const
{
    QStringList result;
    for (const QString &call : calls)
        if (call.startsWith(QLatin1String("navigate ")))
            result.append(call.mid(9));
    return result;
}

BrowserControl *ScriptedBrowsers::createBrowser(QWidget *parent)
{
    auto *browser = new ScriptedBrowser(parent);
    made.append(browser);
    return browser;
}

void ScriptedBrowser::setCommandState(bool canBack, bool canForward, bool isLoading)
{
    back = canBack;
    forward = canForward;
    loading = isLoading;
    emit CommandStateChange();
}
