// The recipient field: either refused with the piece at fault, or addresses that are
// each one local part, one "@" and an ASCII host name, with nothing that could end a
// command line or a header; each once; and the addresses read the same when given again.
#include "FuzzSupport.h"
#include "nettools/MailRecipients.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString field = Fuzz::text(Fuzz::bytes(data, size));
    const MailRecipients read = MailRecipients::parse(field);
    if (!read.invalid.isEmpty()) {
        Fuzz::require(field.contains(read.invalid), "a refusal names a piece of the field");
        return 0;
    }
    static const QRegularExpression host(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?)*$"));
    for (const QString &address : read.addresses) {
        Fuzz::require(address.count(u'@') == 1 && !address.startsWith(u'@'), "an address has a local part and one @");
        Fuzz::require(host.match(address.mid(address.indexOf(u'@') + 1)).hasMatch(), "the domain is an ASCII host name");
        for (QChar c : address)
            Fuzz::require(!c.isSpace() && c != u'<' && c != u'>' && c.category() != QChar::Other_Control
                              && c != u',' && c != u';' && c != u'\uFF0C' && c != u'\uFF1B',
                          "nothing in an address ends a line, a header or the list");
        Fuzz::require(MailRecipients::normalized(address) == address, "an address read is read as it is");
        Fuzz::require(read.addresses.count(address) == 1, "each address once");
    }
    const MailRecipients again = MailRecipients::parse(read.addresses.join(u','));
    Fuzz::require(again.invalid.isEmpty() && again.addresses == read.addresses, "the addresses read the same again");
    return 0;
}
