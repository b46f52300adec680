#pragma once

#include <QByteArray>

#include <optional>

// One reply of an SMTP server: its code, read from its last line, and all its lines.
struct SmtpReply
{
    int code = 0; // 0 when a line is not "three digits, then a blank, a hyphen or its end"
    QByteArray text;

    // 2 for any 2xx reply.
    int kind() const { return code / 100; }
};

// Cuts the bytes a server sends into replies, strictly and within bounds: a reply
// line is three digits followed by a blank, a hyphen or the line's end, and a reply
// ends at its first line without the hyphen. A line that is not one, or whose code
// is not the code of the reply's first line, ends its reply as one whose code is 0.
// What a server may send is bounded, so that an endless reply cannot grow the memory
// it takes.
class SmtpReplyReader
{
public:
    // The standard allows 512 bytes a line; servers that go beyond it by far are not talking SMTP.
    static constexpr qsizetype MaxLine = 4096;
    static constexpr qsizetype MaxReply = 64 * 1024;

    void feed(const QByteArray &bytes);
    // The next whole reply; nullopt while none is, or once overlong() is true.
    std::optional<SmtpReply> next();
    // A line or a reply beyond the bounds arrived: nothing more is read.
    bool overlong() const { return m_overlong; }
    // Bytes that arrived and are not part of a reply taken yet.
    bool holdsMore() const { return !m_pending.isEmpty(); }
    void clear();

private:
    QByteArray m_pending;
    qsizetype m_scanned = 0; // m_pending up to here is whole lines of the reply under way
    int m_code = 0;          // of the first line of the reply under way
    bool m_overlong = false;
};
