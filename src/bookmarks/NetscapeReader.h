#pragma once

#include "ExchangeData.h"

#include <QHash>

struct HtmlToken;

// Turns the tags of a bookmark file into categories: every folder (<H3>
// followed by its <DL>) is one, named "Parent / Child" when nested, and the
// bookmarks outside any folder go into one named after the <H1> heading.
class NetscapeReader
{
public:
    static QList<ExchangeCategory> read(const QString &html);

private:
    enum class Capture { None, Heading, Folder, Anchor };

    void handle(const HtmlToken &token);
    void startTag(const HtmlToken &token);
    void finishCapture();
    void openList();
    void addBookmark(const QString &name);
    ExchangeCategory &category(const QString &name);

    QString m_heading = QStringLiteral("书签");
    QList<QString> m_lists; // the category of each open <DL>
    QString m_current;      // the category being read; null outside any folder
    QString m_pendingFolder;    // an <H3> still waiting for its <DL>
    bool m_hasPendingFolder = false;

    Capture m_capture = Capture::None;
    QString m_captured;
    QString m_href;
    QString m_addDate;

    QList<ExchangeCategory> m_categories;
    QHash<QString, qsizetype> m_index;
};
