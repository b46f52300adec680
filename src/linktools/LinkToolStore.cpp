#include "LinkToolStore.h"

#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/ProfileKeys.h"
#include "core/ProfileReader.h"
#include "core/SettingsStore.h"

#include <QDir>

namespace {

const QString MainSection = QStringLiteral("main");
const QString NumberKey = QStringLiteral("number");
const QString ProgramSection = QStringLiteral("program");
const QString Prefix = QStringLiteral("p");

// Beyond any real list; a damaged count must not spin through millions of reads.
constexpr int MaxNumber = 100000;

int highest(const QString &text)
{
    return qBound(0, int(leadingNumber(text).value_or(0)), MaxNumber);
}

} // namespace

LinkToolStore::LinkToolStore(const QString &profileFolder) : m_file(profileFolder + QStringLiteral("/linktools.ini")) {}

QList<LinkTool> LinkToolStore::tools() const
{
    const ProfileReader file(m_file);
    QList<LinkTool> tools;
    const int count = highest(file.value(MainSection, NumberKey));
    for (int i = 1; i <= count; ++i) {
        const QString entry = file.value(ProgramSection, ProfileKeys::numbered(Prefix, i));
        const qsizetype comma = entry.indexOf(u',');
        if (comma <= 0 || comma == entry.size() - 1)
            continue;
        tools.append({i, entry.left(comma), entry.mid(comma + 1)});
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

bool LinkToolStore::add(const QString &title, const QString &path)
{
    return change([&](IniDocument &doc) {
        const int number = highest(doc.value(MainSection, NumberKey).value_or(QString())) + 1;
        doc.setValue(MainSection, NumberKey, QString::number(number));
        doc.setValue(ProgramSection, ProfileKeys::numbered(Prefix, number), storedTitle(title) + u',' + path);
    });
}

bool LinkToolStore::remove(int number)
{
    return change([&](IniDocument &doc) { doc.setValue(ProgramSection, ProfileKeys::numbered(Prefix, number), QString()); });
}

bool LinkToolStore::setTitle(int number, const QString &title)
{
    const QString key = ProfileKeys::numbered(Prefix, number);
    return change([&](IniDocument &doc) {
        const QString entry = doc.value(ProgramSection, key).value_or(QString());
        const qsizetype comma = entry.indexOf(u',');
        doc.setValue(ProgramSection, key, storedTitle(title) + u',' + (comma < 0 ? QString() : entry.mid(comma + 1)));
    });
}

QString LinkToolStore::storedTitle(const QString &title) { return QString(title).replace(u',', u'，'); }
