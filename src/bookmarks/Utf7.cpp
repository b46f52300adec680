#include "Utf7.h"

#include <QByteArray>

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int base64Value(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return u - u'A';
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 26;
    if (u >= u'0' && u <= u'9')
        return u - u'0' + 52;
    if (u == u'+')
        return 62;
    if (u == u'/')
        return 63;
    return -1;
}

// Decodes the base64 run that starts at text[from]; returns where it ends.
qsizetype decodeRun(QStringView text, qsizetype from, QString *out)
{
    quint32 bits = 0;
    int count = 0;
    qsizetype i = from;
    for (; i < text.size(); ++i) {
        const int value = base64Value(text[i]);
        if (value < 0)
            break;
        bits = (bits << 6) | quint32(value);
        count += 6;
        if (count >= 16) {
            count -= 16;
            out->append(QChar(char16_t((bits >> count) & 0xFFFF)));
        }
    }
    // The '-' that closes a run belongs to the run, not to the text.
    if (i < text.size() && text[i] == u'-')
        ++i;
    return i;
}

bool isDirect(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'+';
}

QString encodeRun(QStringView run)
{
    QString out(1, u'+');
    quint32 bits = 0;
    int count = 0;
    for (QChar c : run) {
        bits = (bits << 16) | c.unicode();
        count += 16;
        while (count >= 6) {
            count -= 6;
            out.append(QLatin1Char(Alphabet[(bits >> count) & 0x3F]));
        }
    }
    if (count > 0)
        out.append(QLatin1Char(Alphabet[(bits << (6 - count)) & 0x3F]));
    out.append(u'-');
    return out;
}

} // namespace

namespace Utf7 {

QString decode(QStringView text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c != u'+') {
            out.append(c);
            ++i;
        } else if (i + 1 < text.size() && text[i + 1] == u'-') {
            out.append(u'+');
            i += 2;
        } else {
            i = decodeRun(text, i + 1, &out);
        }
    }
    return out;
}

QString encode(QStringView text)
{
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'+') {
            out.append(QStringLiteral("+-"));
            ++i;
        } else if (isDirect(text[i])) {
            out.append(text[i]);
            ++i;
        } else {
            qsizetype end = i;
            while (end < text.size() && !isDirect(text[end]) && text[end] != u'+')
                ++end;
            out.append(encodeRun(text.mid(i, end - i)));
            i = end;
        }
    }
    return out;
}

} // namespace Utf7
