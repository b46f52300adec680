// A profile file of any bytes (GBK, GB18030, UTF-8, with or without a mark): what
// a look-up reads is what a one-pass scan reads, and a write of one key changes
// that key and no other value, also once its bytes are read again. The bytes go
// through the decoding and encoding a file's read and write use, without the disk:
// the lock and the replacing rename have tests of their own, and took most of each
// input's time here.
#include "FuzzSupport.h"
#include "core/IniDocument.h"
#include "core/IniFile.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

struct Key
{
    QString section, key, value;
};

// The first keys a look-up can reach, first of each (section, key), as scan() reports
// them. Enough: each look-up reads the whole document again.
QList<Key> reachable(const QString &text, qsizetype atMost)
{
    QList<Key> keys;
    QSet<QString> seen;
    IniDocument::scan(text, [&](QStringView section, QStringView key, QStringView value) {
        if (keys.size() == atMost)
            return;
        const QString id = section.toString().toCaseFolded() + u'\n' + key.toString().toCaseFolded();
        if (!seen.contains(id)) {
            seen.insert(id);
            keys.append({section.toString(), key.toString(), value.toString()});
        }
    });
    return keys;
}

// What a value becomes on its way through a write: line breaks turn into blanks,
// and a count written as " 4" reads as "4".
QString asWritten(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    const bool count = value.size() > 1 && value.front() == u' '
                       && std::all_of(value.begin() + 1, value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return count ? value.mid(1) : value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayList parts = Fuzz::parts(Fuzz::bytes(data, size), 2);
    const IniFile file = IniFile::profile(QString());
    IniFile::Content content = file.decode(parts.at(0));
    const QString text = content.text;
    const IniDocument doc = IniDocument::fromText(text);
    Fuzz::require(IniDocument::fromText(doc.toText(QStringLiteral("\r\n"))).lines() == doc.lines(),
                  "the lines survive a write and a read");

    const QList<Key> keys = reachable(text, 8);
    QHash<QString, QHash<QString, QString>> sections;
    for (const Key &key : keys) {
        Fuzz::require(doc.value(key.section, key.key) == key.value, "a look-up reads what the scan reads");
        if (!sections.contains(key.section))
            sections.insert(key.section, doc.section(key.section));
        Fuzz::require(sections.value(key.section).value(key.key.toCaseFolded()) == key.value,
                      "a whole section reads what a look-up reads");
    }

    // A write of the first key the program could name, then a read of its bytes: that key has
    // its new value, all others their old one. No key of the program's begins with '[': such
    // a line holding a ']' after a write would read as a section header.
    const auto writable = std::find_if(keys.cbegin(), keys.cend(), [](const Key &key) { return !key.key.startsWith(u'['); });
    if (writable == keys.cend())
        return 0;
    const Key &changed = *writable;
    const QString value = parts.size() > 1 ? QString::fromUtf8(parts.at(1)) : QStringLiteral(" 名 ");
    IniDocument edited = doc;
    edited.setValue(changed.section, changed.key, value);
    content.text = edited.toText(file.lineEnd());
    const QByteArray written = file.encode(content);
    const IniDocument again = IniDocument::fromText(file.decode(written).text);
    Fuzz::require(again.value(changed.section, changed.key) == asWritten(value), "a written value reads back");
    for (const Key &key : keys) {
        const bool same = key.section.compare(changed.section, Qt::CaseInsensitive) == 0
                          && key.key.compare(changed.key, Qt::CaseInsensitive) == 0;
        if (!same)
            Fuzz::require(again.value(key.section, key.key) == key.value, "a write leaves every other value as it was");
    }
    return 0;
}
