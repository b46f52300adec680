#include "SmtpReply.h"

#include <algorithm>

namespace {

// The code of a reply line, 0 when it is not one; more is set when the reply goes on.
int lineCode(QByteArrayView line, bool *more)
{
    *more = false;
    if (line.size() < 3 || !std::all_of(line.begin(), line.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    if (line.size() > 3 && line.at(3) != ' ' && line.at(3) != '-')
        return 0;
    *more = line.size() > 3 && line.at(3) == '-';
    return line.first(3).toInt();
}

} // namespace

void SmtpReplyReader::feed(const QByteArray &bytes)
{
    if (m_overlong)
        return;
    m_pending += bytes;
    const qsizetype lineStart = m_pending.lastIndexOf('\n') + 1;
    if (m_pending.size() - lineStart > MaxLine || m_pending.size() > MaxReply + MaxLine) {
        m_overlong = true;
        m_pending.clear();
    }
}

std::optional<SmtpReply> SmtpReplyReader::next()
{
    while (!m_overlong) {
        const qsizetype newline = m_pending.indexOf('\n', m_scanned);
        if (newline < 0)
            return std::nullopt;
        QByteArrayView line = QByteArrayView(m_pending).sliced(m_scanned, newline - m_scanned);
        if (line.endsWith('\r'))
            line.chop(1);
        bool more = false;
        int code = lineCode(line, &more);
        // Every line of a reply carries one code: "550-no" then "250 ok" is no acceptance.
        if (m_scanned == 0)
            m_code = code;
        else if (code != m_code)
            code = 0, more = false;
        m_scanned = newline + 1;
        if (m_scanned > MaxReply) {
            m_overlong = true;
            m_pending.clear();
            return std::nullopt;
        }
        if (more && code)
            continue;
        SmtpReply reply{code, m_pending.left(m_scanned)};
        m_pending.remove(0, m_scanned);
        m_scanned = 0;
        return reply;
    }
    return std::nullopt;
}

void SmtpReplyReader::clear()
{
    m_pending.clear();
    m_scanned = 0;
    m_code = 0;
    m_overlong = false;
}
