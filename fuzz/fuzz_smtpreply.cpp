// What an SMTP server sends, in the pieces the network cuts it into, as the reply
// reader takes it without a socket: every reply is whole lines of what was sent, in
// order; a reply that holds a refusal, or a line that is no reply line, never reads as
// one that lets the next command go; a line still unfinished when the wait runs out is
// never a reply; nothing is read past the bounds, and no more is held than they allow.
#include "FuzzSupport.h"
#include "nettools/SmtpReply.h"

namespace {

// The code of a line that is a reply line ("ddd", "ddd ...", "ddd-..."), else 0.
int codeOf(QByteArrayView line, bool *more)
{
    if (line.endsWith('\r'))
        line.chop(1);
    *more = line.size() > 3 && line.at(3) == '-';
    if (line.size() < 3 || (line.size() > 3 && line.at(3) != ' ' && !*more))
        return 0;
    for (int i = 0; i < 3; ++i) {
        if (line.at(i) < '0' || line.at(i) > '9')
            return 0;
    }
    return line.first(3).toInt();
}

void checkReply(const SmtpReply &reply)
{
    Fuzz::require(reply.text.endsWith('\n'), "a reply is whole lines");
    Fuzz::require(reply.text.size() <= SmtpReplyReader::MaxReply, "a reply is within its bound");
    const QByteArrayList lines = reply.text.chopped(1).split('\n');
    bool refusal = false;
    int first = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool more = false;
        const int code = codeOf(lines.at(i), &more);
        const bool last = i == lines.size() - 1;
        first = i == 0 ? code : first;
        Fuzz::require(last || (code && more && code == first), "only the last line of a reply goes without its hyphen");
        if (last)
            Fuzz::require(reply.code == (more || code != first ? 0 : code), "a reply's code is the one code of its lines");
        refusal = refusal || code == 0 || code / 100 >= 4 || code / 100 < 2;
    }
    Fuzz::require(!refusal || reply.kind() < 2 || reply.kind() > 3, "a refusal in a reply never lets a command follow");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SmtpReplyReader reader;
    QByteArray sent;    // every byte fed
    QByteArray taken;   // every byte of every reply read
    bool overlong = false;
    for (const QByteArray &piece : Fuzz::parts(Fuzz::bytes(data, size), 1000)) {
        reader.feed(piece);
        sent += piece;
        overlong = overlong || reader.overlong();
        while (const auto reply = reader.next()) {
            Fuzz::require(!overlong, "nothing is read past the bounds");
            checkReply(*reply);
            taken += reply->text;
        }
        Fuzz::require(reader.overlong() == overlong, "a reader past its bounds stays so");
        if (overlong) {
            Fuzz::require(!reader.holdsMore(), "a reader past its bounds holds nothing");
            continue;
        }
        Fuzz::require(sent.startsWith(taken), "replies are what was sent, in order");
        const qsizetype held = sent.size() - taken.size();
        Fuzz::require(reader.holdsMore() == (held > 0), "what is held is what was sent and not read");
        Fuzz::require(held <= SmtpReplyReader::MaxReply + SmtpReplyReader::MaxLine, "what is held stays within its bound");
    }
    // The wait runs out: what is left is no reply, however it ends.
    Fuzz::require(!reader.next().has_value(), "no reply comes without more bytes");
    if (overlong)
        return 0;
    const QByteArray left = sent.mid(taken.size());
    QByteArrayList lines = left.split('\n');
    lines.removeLast(); // unfinished
    for (const QByteArray &line : lines) {
        bool more = false;
        Fuzz::require(codeOf(line, &more) && more && codeOf(line, &more) == codeOf(lines.first(), &more),
                      "what is held is a reply under way, never one that is whole");
    }
    return 0;
}
