#include "InternetShortcut.h"

#include "ShortcutFolder.h"
#include "Utf7.h"
#include "core/FileReplace.h"
#include "core/IniDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QUrl>

#include <algorithm>

namespace {

const QString Section = QStringLiteral("InternetShortcut");
const QString WideSection = QStringLiteral("InternetShortcut.W");
const QString UrlKey = QStringLiteral("URL");
const QString Suffix = QStringLiteral(".url");
const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");
const char *const Gbk = "GBK";

struct ShortcutText
{
    QString text;
    bool utf8 = false;
    bool bom = false;
};

bool isAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Windows writes the ANSI code page (GBK here); editors write UTF-8. A GBK character
// alone is valid UTF-8 nearly one time in five ("却" is C8 B4, "ȴ" there), but Chinese
// takes three bytes of UTF-8, which GBK text almost never forms.
bool savedAsUtf8(const QByteArray &bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0xE0; });
}

ShortcutText decode(const QByteArray &bytes)
{
    ShortcutText result;
    // ASCII reads the same in GBK and needs no codec; most shortcuts are nothing else.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; })) {
        result.text = QString::fromLatin1(bytes);
        return result;
    }
    if (bytes.startsWith(Bom)) {
        result.utf8 = result.bom = true;
        result.text = QStringDecoder(QStringDecoder::Utf8).decode(bytes.mid(Bom.size()));
        return result;
    }
    if (savedAsUtf8(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            result.utf8 = true;
            result.text = text;
            return result;
        }
    }
    result.text = QStringDecoder(Gbk).decode(bytes);
    return result;
}

std::optional<ShortcutText> readText(const QString &path)
{
    const auto bytes = ShortcutFolder::read(QFile::encodeName(path));
    return bytes ? std::optional(decode(*bytes)) : std::nullopt;
}

// ASCII is GBK as it is; the codec is only needed beyond it, and an export asks for thousands.
bool fitsGbk(const QString &text)
{
    if (isAscii(text))
        return true;
    QStringEncoder encoder(Gbk);
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError() && QString(QStringDecoder(Gbk).decode(bytes)) == text;
}

// Percent-encoded ASCII loses nothing and any browser reads it back.
QString asciiForm(const QString &address)
{
    const QUrl url(address, QUrl::TolerantMode);
    if (url.isValid())
        return QString::fromLatin1(url.toEncoded());
    return QString::fromLatin1(QUrl::toPercentEncoding(address, QByteArrayLiteral(":/?#[]@!$&'()*+,;=%~")));
}

QByteArray encode(const ShortcutText &shortcut)
{
    if (!shortcut.utf8)
        return isAscii(shortcut.text) ? shortcut.text.toLatin1() : QStringEncoder(Gbk).encode(shortcut.text);
    const QByteArray bytes = QStringEncoder(QStringEncoder::Utf8).encode(shortcut.text);
    // UTF-8 without a character of three bytes would read back as GBK: the mark keeps it UTF-8.
    const bool bom = shortcut.bom || (!isAscii(shortcut.text) && !savedAsUtf8(bytes));
    return bom ? Bom + bytes : bytes;
}

} // namespace

namespace InternetShortcut {

std::optional<QString> read(const QString &path)
{
    const auto bytes = ShortcutFolder::read(QFile::encodeName(path));
    return bytes ? address(*bytes) : std::nullopt;
}

std::optional<QString> address(const QByteArray &content)
{
    const IniDocument doc = IniDocument::fromText(decode(content).text);
    const auto wide = doc.value(WideSection, UrlKey);
    // A wide form that decodes to nothing says nothing; the plain one may still.
    if (wide && !wide->isEmpty()) {
        if (QString decoded = Utf7::decode(*wide); !decoded.isEmpty())
            return decoded;
    }
    const auto address = doc.value(Section, UrlKey);
    if (!address || address->isEmpty())
        return std::nullopt;
    return address;
}

QString favouriteName(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(Suffix, Qt::CaseInsensitive))
        name.chop(Suffix.size());
    return name;
}

std::optional<Update> update(const QString &path, const QString &address)
{
    ShortcutText shortcut;
    const bool replacing = QFileInfo::exists(path);
    if (replacing) {
        const auto existing = readText(path);
        if (!existing)
            return std::nullopt;
        shortcut = *existing;
    }
    const IniDocument before = IniDocument::fromText(shortcut.text);
    const bool wide = before.value(WideSection, UrlKey).has_value();
    const auto changed = [&](const QString &stored) {
        IniDocument doc = before;
        doc.setValue(Section, UrlKey, stored);
        // A stale wide URL would win over the one just written.
        if (wide)
            doc.setValue(WideSection, UrlKey, Utf7::encode(address));
        return doc;
    };
    const auto bytesOf = [&](const IniDocument &doc) {
        return encode({doc.toText(QStringLiteral("\r\n")), shortcut.utf8, shortcut.bom});
    };
    IniDocument next = changed(shortcut.utf8 || fitsGbk(address) ? address : asciiForm(address));
    QByteArray bytes = bytesOf(next);
    // GBK bytes that also make UTF-8 with a character of three bytes or more read back
    // as UTF-8, the address changed; its ASCII form reads the same either way.
    if (!shortcut.utf8 && decode(bytes).utf8) {
        next = changed(asciiForm(address));
        bytes = bytesOf(next);
        // Bytes that did not decode are written as GBK replaces them, and the rest of the
        // file may then read as UTF-8, its lines grouped in other sections: the mark keeps
        // the text as it was read.
        if (decode(bytes).utf8)
            bytes = encode({next.toText(QStringLiteral("\r\n")), true, true});
    }
    // What a read finds, not what was written: blanks around a value are never read.
    const auto reads = [](const IniDocument &doc) {
        return std::pair(doc.value(Section, UrlKey), doc.value(WideSection, UrlKey));
    };
    if (replacing && reads(next) == reads(before))
        return Update{QByteArray(), false, true}; // it says so already
    return Update{bytes, true, replacing};
}

bool write(const QString &path, const QString &address)
{
    const auto next = update(path, address);
    if (!next)
        return false;
    return !next->changed || replaceFile(path, next->bytes);
}

} // namespace InternetShortcut
