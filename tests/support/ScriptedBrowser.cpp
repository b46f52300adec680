#include "ScriptedBrowser.h"

void ScriptedBrowser::navigate(const QString &address)
{
    calls.append(QStringLiteral("navigate ") + address);
    m_address = address;
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
