#include "LinkToolStore.h"

#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/ProfileKeys.h"

#include <QDir>
#include <QFileInfo>

#include <map>

using ProfileKeys::storedTitle;

namespace {

const QString MainSection = QStringLiteral("main");
const QString NumberKey = QStringLiteral("number");
const QString ProgramSection = QStringLiteral("program");
const QString Prefix = QStringLiteral("p");

// Beyond any real list: a damaged "number" is held to it.
constexpr int MaxNumber = 100000;

// Every "p N" of the program section by its number, as a read gives it.
std::map<int, QString> entries(const IniDocument &doc)
{
    std::map<int, QString> found;
    const QHash<QString, QString> section = doc.section(ProgramSection);
    for (auto it = section.cbegin(); it != section.cend(); ++it)
        if (const int number = ProfileKeys::numberOf(it.key(), Prefix))
            found.emplace(number, cutToProfileLimit(it.value()));
    return found;
}

// Above "number" and above every entry: a damaged count must not give out a number in use.
int nextNumber(const IniDocument &doc)
{
    const auto found = entries(doc);
    const int highest = found.empty() ? 0 : found.rbegin()->first;
    return std::max(highest, ProfileKeys::count(doc.value(MainSection, NumberKey).value_or(QString()), MaxNumber)) + 1;
}

// A tool stored without a title is shown by its program's name, so it can be renamed or deleted.
QString shownTitle(const QString &title, const QString &path)
{
    if (!title.trimmed().isEmpty())
        return title;
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

bool fits(const QString &entry) { return cutToProfileLimit(entry) == entry; }

} // namespace

LinkToolStore::LinkToolStore(const QString &profileFolder) : m_file(profileFolder + QStringLiteral("/linktools.ini")) {}

QList<LinkTool> LinkToolStore::tools() const
{
    QList<LinkTool> tools;
    const std::optional<IniDocument> doc = IniFile::profile(m_file).read();
    if (!doc)
        return tools;
    for (const auto &[number, entry] : entries(*doc)) {
        const qsizetype comma = entry.indexOf(u',');
        const QString path = comma < 0 ? QString() : entry.mid(comma + 1);
        if (!path.isEmpty())
            tools.append({number, shownTitle(entry.left(comma), path), path});
    }
    return tools;
}

bool LinkToolStore::change(const std::function<void(IniDocument &)> &edit)
{
    m_error.clear();
    QString why;
    if (IniFile::profile(m_file).update(edit, &why))
        return true;
    m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(m_file), why);
    return false;
}

bool LinkToolStore::refused(const QString &title, const QString &path)
{
    m_error = refusal(title, path);
    return !m_error.isEmpty();
}

bool LinkToolStore::add(const QString &title, const QString &path)
{
    if (refused(title, path))
        return false;
    return change([&](IniDocument &doc) {
        const int number = nextNumber(doc);
        doc.setValue(MainSection, NumberKey, QString::number(number));
        doc.setValue(ProgramSection, ProfileKeys::numbered(Prefix, number), storedTitle(title) + u',' + path);
    });
}

bool LinkToolStore::remove(int number)
{
    return change([&](IniDocument &doc) { doc.setValue(ProgramSection, ProfileKeys::numbered(Prefix, number), QString()); });
}

// The program is the one the entry holds when the lock is taken: read before it, a
// path would be written back over another copy's removal of the tool.
bool LinkToolStore::setTitle(int number, const QString &title)
{
    m_error.clear();
    const QString key = ProfileKeys::numbered(Prefix, number);
    QString why;
    const bool written = IniFile::profile(m_file).updateIf(
        [&](IniDocument &doc) {
            const QString entry = cutToProfileLimit(doc.value(ProgramSection, key).value_or(QString()));
            const qsizetype comma = entry.indexOf(u',');
            const QString path = comma < 0 ? QString() : entry.mid(comma + 1);
            // Removed meanwhile: there is nothing left to rename.
            if (path.isEmpty() || refused(title, path))
                return false;
            doc.setValue(ProgramSection, key, storedTitle(title) + u',' + path);
            return true;
        },
        &why);
    if (!written)
        m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(m_file), why);
    return m_error.isEmpty();
}

QString LinkToolStore::refusal(const QString &title, const QString &path)
{
    if (title.trimmed().isEmpty())
        return QStringLiteral("标题不能为空，请输入一个标题。");
    if (!fits(storedTitle(title) + u',' + path))
        return QStringLiteral("太长：标题和程序位置合起来最多 254 个字节（一个汉字占 2 至 4 个字节），请把标题改短一些。");
    return QString();
}

bool LinkToolStore::pathFits(const QString &path) { return fits(QStringLiteral("x,") + path); }
