#pragma once

#include <QString>
#include <QUrl>

// Fixed web addresses of the program.
namespace Addresses {

inline const QString DefaultHomepage = QStringLiteral("https://www.hao123.com/");
inline const QString NewWindowPage = QStringLiteral("about:Vantorel II 新窗口");
inline const QString IEHomepage = QStringLiteral("IE Homepage");

// Sections of the help page, by their ids in help.htm.
inline const QString UpdateSection = QStringLiteral("update");
inline const QString ReportSection = QStringLiteral("report");

// The help page beside the program, at one of its sections or at its top.
inline QString helpPage(const QString &programFolder, const QString &section = QString())
{
    QUrl url = QUrl::fromLocalFile(programFolder + QStringLiteral("/help.htm"));
    if (!section.isEmpty())
        url.setFragment(section);
    return url.toString();
}

} // namespace Addresses
