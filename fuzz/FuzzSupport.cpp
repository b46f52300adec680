#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The readers log what they refuse; a fuzz run would drown in it.
void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

QString scratchBase()
{
    qInstallMessageHandler(quiet);
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return base + QStringLiteral("/vantorel-fuzz-XXXXXX");
}

// Removed when the run ends; a finding aborts and leaves its folder to look at.
QTemporaryDir &scratchRoot()
{
    static QTemporaryDir root(scratchBase());
    return root;
}

} // namespace

namespace Fuzz {

void require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: violated: %s\n", what);
    std::abort();
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

QByteArrayList parts(const QByteArray &input, qsizetype atMost)
{
    QByteArrayList cut = input.split('\xFF');
    if (cut.size() > atMost)
        cut.resize(atMost);
    return cut;
}

QString text(const QByteArray &input)
{
    if (input.isEmpty() || uchar(input.at(0)) % 2 == 0)
        return QString::fromUtf8(input.mid(input.isEmpty() ? 0 : 1));
    const QByteArray rest = input.mid(1);
    return QString(reinterpret_cast<const QChar *>(rest.constData()), rest.size() / 2);
}

QString scratch()
{
    static const QString folder = [] {
        QTemporaryDir &root = scratchRoot();
        require(root.isValid(), "a scratch folder can be made");
        return root.path();
    }();
    return folder;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "a scratch file can be written");
    require(file.write(content) == content.size(), "a scratch file is written whole");
}

namespace {

Entry::Kind kindOf(unsigned char type)
{
    switch (type) {
    case DT_LNK: return Entry::Link;
    case DT_DIR: return Entry::Folder;
    case DT_REG: return Entry::File;
    default: return Entry::Other;
    }
}

// getdents64 by hand, each folder opened from its parent: QDirIterator looked at each
// entry, std::filesystem made two more calls a folder and a path an entry, and
// opendir's 32 KB buffer, freed after every input, kept ASan's quarantine cycling.
void walk(int folder, const QByteArray &relative, QList<Entry> *found)
{
    alignas(dirent64) char buffer[4096];
    for (;;) {
        const ssize_t size = ::getdents64(folder, buffer, sizeof buffer);
        require(size >= 0, "a scratch folder can be listed");
        if (size == 0)
            return;
        for (ssize_t at = 0; at < size;) {
            const auto *entry = reinterpret_cast<const dirent64 *>(buffer + at);
            at += entry->d_reclen;
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            require(entry->d_type != DT_UNKNOWN, "the scratch folder's file system names what each entry is");
            const QByteArray path = relative.isEmpty() ? name : relative + '/' + name;
            found->append({QFile::decodeName(path), kindOf(entry->d_type)});
            if (entry->d_type != DT_DIR)
                continue;
            const int inner = ::openat(folder, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            require(inner >= 0, "a scratch folder can be opened");
            walk(inner, path, found);
            ::close(inner);
        }
    }
}

} // namespace

QList<Entry> everythingIn(const QString &folder)
{
    QList<Entry> found;
    const int root = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    require(root >= 0, "the scratch folder can be opened");
    walk(root, {}, &found);
    ::close(root);
    std::sort(found.begin(), found.end(), [](const Entry &a, const Entry &b) { return a.path < b.path; });
    return found;
}

qsizetype gb18030Size(const QString &text)
{
    QStringEncoder encoder("GB18030", QStringEncoder::Flag::Stateless);
    return QByteArray(encoder.encode(text)).size();
}

} // namespace Fuzz
