#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

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
        const QString made = root.filePath(QStringLiteral("in"));
        require(QDir().mkpath(made), "the scratch folder is there");
        return made;
    }();
    return folder;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "a scratch file can be written");
    require(file.write(content) == content.size(), "a scratch file is written whole");
}

QList<Entry> everythingIn(const QString &folder)
{
    // Not with QDirIterator and QFileInfo: their look at each entry made the walk a
    // fifth of the export target's time.
    QList<Entry> found;
    const std::filesystem::path root(QFile::encodeName(folder).toStdString());
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root)) {
        const Entry::Kind kind = entry.is_symlink()        ? Entry::Link
                                 : entry.is_directory()    ? Entry::Folder
                                 : entry.is_regular_file() ? Entry::File
                                                           : Entry::Other;
        found.append({QFile::decodeName(QByteArray::fromStdString(entry.path().lexically_relative(root).native())), kind});
    }
    std::sort(found.begin(), found.end(), [](const Entry &a, const Entry &b) { return a.path < b.path; });
    return found;
}

qsizetype gb18030Size(const QString &text)
{
    QStringEncoder encoder("GB18030", QStringEncoder::Flag::Stateless);
    return QByteArray(encoder.encode(text)).size();
}

} // namespace Fuzz
