#include "PageScript.h"

#include "document/webengine/WebEngineBrowser.h"
#include "document/webengine/WebPage.h"

#include <QTest>

#include <memory>
#include <optional>

QVariant evaluate(BrowserControl *web, const QString &script)
{
    auto *browser = qobject_cast<WebEngineBrowser *>(web);
    if (!browser)
        return QStringLiteral("<no answer>");
    auto result = std::make_shared<std::optional<QVariant>>();
    browser->page()->runJavaScript(script, [result](const QVariant &value) { *result = value; });
    if (!QTest::qWaitFor([&] { return result->has_value(); }, 10000))
        return QStringLiteral("<no answer>");
    return **result;
}
