#pragma once

#include <QString>

// What the user is told when a store could not write: "无法保存<what>：<reason>",
// what empty when the window already says what was being saved.
inline QString storeFailureText(const QString &what, const QString &reason)
{
    return QStringLiteral("无法保存%1：%2").arg(what, reason);
}
