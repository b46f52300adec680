#pragma once

#include <QHash>
#include <QString>

struct HtmlToken
{
    enum Kind { Text, StartTag, EndTag };

    Kind kind = Text;
    QString name;                       // tags: lower case
    QString text;                       // text: as written, references not decoded
    QHash<QString, QString> attributes; // lower-case names, decoded values
};

// Splits HTML text into tags and the text between them, wherever they fall on
// the lines. Comments, <!DOCTYPE ...> and <?...?> are skipped; a '<' that does
// not begin a tag is text.
class HtmlScanner
{
public:
    explicit HtmlScanner(const QString &text);

    // False at the end of the text.
    bool next(HtmlToken *token);

private:
    qsizetype skipUntil(qsizetype from, QStringView end) const;
    bool startsTag(qsizetype at) const;
    void readTag(HtmlToken *token);
    void readAttributes(HtmlToken *token);
    QString readAttributeValue();
    QString readName();
    void skipBlanks();

    QString m_text;
    qsizetype m_pos = 0;
};
