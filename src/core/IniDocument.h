#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// An INI text held line by line, so that a change touches one line and every
// other line (comments, blank lines, unknown lines, order) survives as it was.
// Section and key names compare without regard to case; the first match wins.
class IniDocument
{
public:
    IniDocument() = default;

    using KeyVisitor = std::function<void(QStringView section, QStringView key, QStringView value)>;

    // Accepts LF and CR LF line ends.
    static IniDocument fromText(const QString &text);
    // Reads text without keeping it: every key line in file order, with section,
    // key and value as value() sees them. Keys of a repeated section are left
    // out, since lookups never reach them; a repeated key is passed each time.
    static void scan(QStringView text, const KeyVisitor &visit);
    // Every line, the last one too, ends with lineEnd.
    QString toText(const QString &lineEnd) const;

    QStringList lines() const { return m_lines; }
    // The name of every section header, in file order, as look-ups compare them.
    QStringList sectionNames() const;

    // The value as the Windows profile functions read it: the blanks around it
    // trimmed, then one pair of matching quotes (" or ') around it dropped;
    // nullopt when section or key is absent.
    std::optional<QString> value(const QString &section, const QString &key) const;
    // Every key of the section in one pass, keyed by its case-folded name, with
    // values as value() gives them: the first of a repeated key wins.
    QHash<QString, QString> section(const QString &section) const;
    // Replaces the key's value, or adds the key at the end of its section,
    // or adds the section at the end of the text. A value that value() would not
    // give back whole (blanks or a pair of quotes at its ends) is written in double
    // quotes, but for a count written as " 4", whose blank is only layout.
    void setValue(const QString &section, const QString &key, const QString &value);

private:
    qsizetype findSection(const QString &section) const;
    qsizetype sectionEnd(qsizetype header) const;
    qsizetype findKey(qsizetype header, const QString &key) const;
    qsizetype insertionPoint(qsizetype header) const;

    QStringList m_lines;
};
