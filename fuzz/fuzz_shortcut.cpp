// An Internet shortcut (.url) of any bytes, then an export's write of an address into
// it: the address reads back (percent-encoded where the code page lacks a character),
// and a second write finds nothing to change.
#include "FuzzSupport.h"
#include "core/IniDocument.h"
#include "bookmarks/InternetShortcut.h"
#include "bookmarks/Utf7.h"

#include <QFile>

#include <algorithm>

namespace {

bool ascii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayList parts = Fuzz::parts(Fuzz::bytes(data, size), 2);
    const QString path = Fuzz::scratch() + QStringLiteral("/名称.url");
    Fuzz::writeFile(path, parts.at(0));
    const auto before = InternetShortcut::read(path);
    Fuzz::require(before == InternetShortcut::address(parts.at(0)), "a file and its bytes read alike");
    Fuzz::require(!before || !before->isEmpty(), "an address read is not empty");

    // Line breaks never reach a shortcut: the export's addresses come from one-line values.
    QString address = parts.size() > 1 ? Fuzz::text(parts.at(1)) : QStringLiteral("http://例子.cn/a b");
    address.replace(u'\r', u' ').replace(u'\n', u' ');
    // Nor do surrogates alone, which any encoder replaces.
    address = QString::fromUtf8(address.toUtf8());
    // A bookmark's address is a profile value, read without blanks or quotes around it.
    address = IniDocument::fromText(QStringLiteral("[b]\nu=") + address).value(QStringLiteral("b"), QStringLiteral("u")).value_or(QString());
    if (address.trimmed().isEmpty())
        return 0;
    Fuzz::require(Utf7::decode(Utf7::encode(address)) == address, "UTF-7 gives back what it encoded");
    Fuzz::require(InternetShortcut::write(path, address), "a scratch shortcut can be written");
    const auto after = InternetShortcut::read(path);
    Fuzz::require(after.has_value(), "a written shortcut has an address");
    Fuzz::require(*after == address || ascii(*after), "the address reads back, or its ASCII form");
    // Bytes that did not decode are written as the code page replaces them; a file that
    // was not UTF-8 only by them reads as UTF-8 now, and its addresses are no longer encoded.
    QFile written(path);
    written.open(QIODevice::ReadOnly);
    if (!parts.at(0).isValidUtf8() && written.readAll().isValidUtf8())
        return 0;
    const auto again = InternetShortcut::update(path, address);
    Fuzz::require(again && !again->changed, "a second write of the same address changes nothing");
    return 0;
}
