#include "SettingsStore.h"

#include "IniFile.h"
#include "StoreError.h"

#include <QDir>
#include <QStandardPaths>

#include <utility>

namespace {

IniFile settingsFile(const QString &path)
{
    return IniFile(path, QByteArrayLiteral("UTF-8"), QStringLiteral("\n"));
}

qsizetype skipDigits(QStringView text, qsizetype i)
{
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80)
        ++i;
    return i;
}

// Length of the number at the start of text ("" when there is none).
qsizetype numberLength(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype intEnd = skipDigits(text, i);
    qsizetype end = intEnd;
    if (end < text.size() && text[end] == u'.')
        end = skipDigits(text, end + 1);
    if (intEnd == i && end <= intEnd + 1)
        return 0; // no digit at all
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exp = end + 1;
        if (exp < text.size() && (text[exp] == u'+' || text[exp] == u'-'))
            ++exp;
        const qsizetype expEnd = skipDigits(text, exp);
        if (expEnd > exp)
            end = expEnd;
    }
    return end;
}

} // namespace

std::optional<double> leadingNumber(const QString &text)
{
    QStringView view(text);
    qsizetype start = 0;
    while (start < view.size() && (view[start] == u' ' || view[start] == u'\t'))
        ++start;
    view = view.mid(start);
    const qsizetype length = numberLength(view);
    if (length == 0)
        return std::nullopt;
    bool ok = false;
    const double value = view.left(length).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

SettingsStore::SettingsStore(const QString &folder) : m_folder(folder)
{
    if (m_folder.isEmpty()) {
        m_folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                   + QStringLiteral("/Vantorel");
    }
}

QString SettingsStore::folder() const
{
    return m_folder;
}

QString SettingsStore::fileFor(const QString &application) const
{
    QString name = application.toLower();
    // The name becomes a file name; keep it inside the folder.
    name.replace(u'/', u'_');
    name.replace(u'\\', u'_');
    return m_folder + u'/' + name + QStringLiteral(".ini");
}

const IniDocument &SettingsStore::document(const QString &file) const
{
    auto it = m_documents.find(file);
    if (it == m_documents.end())
        it = m_documents.insert(file, settingsFile(file).read().value_or(IniDocument()));
    return *it;
}

QString SettingsStore::get(const QString &application, const QString &section, const QString &key,
                           const QString &defaultValue) const
{
    return document(fileFor(application)).value(section, key).value_or(defaultValue);
}

bool SettingsStore::save(const QString &application, const QString &section, const QString &key,
                         const QString &value, QString *error)
{
    const Change change{fileFor(application), section, key, value};
    if (!m_batch)
        return write(change.file, {change}, error);
    document(change.file);
    m_documents[change.file].setValue(section, key, value);
    m_pending.append(change);
    return true;
}

void SettingsStore::begin() { m_batch = true; }

bool SettingsStore::commit(QString *error)
{
    m_batch = false;
    QHash<QString, QList<Change>> byFile;
    for (const Change &change : std::exchange(m_pending, {}))
        byFile[change.file].append(change);
    bool written = true;
    for (auto it = byFile.cbegin(); it != byFile.cend(); ++it) {
        if (written)
            written = write(it.key(), it.value(), error);
        else
            m_documents.remove(it.key()); // not written: what the file holds
    }
    return written;
}

bool SettingsStore::write(const QString &file, const QList<Change> &changes, QString *error)
{
    QString why;
    const auto apply = [&](IniDocument &doc) {
        for (const Change &change : changes)
            doc.setValue(change.section, change.key, change.value);
        m_documents.insert(file, doc);
    };
    if (!QDir().mkpath(m_folder))
        why = QStringLiteral("无法创建文件夹");
    else if (settingsFile(file).update(apply, &why))
        return true;
    m_documents.remove(file);
    if (error)
        *error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(file), why);
    return false;
}

double SettingsStore::number(const QString &application, const QString &section, const QString &key,
                             double defaultValue) const
{
    return leadingNumber(get(application, section, key)).value_or(defaultValue);
}

QString SettingsStore::failureText(const QString &error)
{
    return storeFailureText(QStringLiteral("设置"), error);
}

QString SettingsStore::get(const SettingKey &key, const QString &application) const
{
    return get(application, key.section, key.key, key.defaultValue);
}

bool SettingsStore::save(const SettingKey &key, const QString &value, QString *error, const QString &application)
{
    return save(application, key.section, key.key, value, error);
}

bool SettingsStore::contains(const SettingKey &key, const QString &application) const
{
    return document(fileFor(application)).value(key.section, key.key).has_value();
}
