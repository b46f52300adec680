#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: a check that stops the run, the input cut in
// parts, text from bytes, and a scratch folder in memory.
namespace Fuzz {

// Aborts with what did not hold: libFuzzer keeps the input as a finding.
void require(bool holds, const char *what);

QByteArray bytes(const uint8_t *data, size_t size);
// The input cut at each 0xFF byte, which none of the formats needs.
QByteArrayList parts(const QByteArray &input, qsizetype atMost);
// UTF-8 when the first byte is even, else UTF-16 (odd halves and lone surrogates included).
QString text(const QByteArray &input);

// A folder of this process, in /dev/shm when there is one, kept all run long.
QString scratch();
void writeFile(const QString &path, const QByteArray &content);
// Every file, folder and link below folder, as paths relative to it, sorted, each with
// what it is as its folder's listing says (no look at the entry itself).
struct Entry
{
    enum Kind { File, Folder, Link, Other };
    QString path;
    Kind kind;
};
QList<Entry> everythingIn(const QString &folder);

// The GB18030 bytes of text, as the profile files hold it.
qsizetype gb18030Size(const QString &text);

} // namespace Fuzz
