#include "AutotextStore.h"

#include "core/IniDocument.h"
#include "core/IniFile.h"
#include "core/ProfileKeys.h"
#include "core/ProfileReader.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringEncoder>

namespace {

const QString Section = QStringLiteral("table");
const QString Prefix = QStringLiteral("t");

// A stored line break would end the line, and its rest become a line of its own.
QString oneLine(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    return QString(text).replace(lineBreak, QStringLiteral("~"));
}

} // namespace

const QString AutotextStore::Placeholder = QStringLiteral("<无>");

AutotextStore::AutotextStore(const QString &profileFolder) : m_file(profileFolder + QStringLiteral("/autotxt.ini")) {}

QStringList AutotextStore::rows() const
{
    const ProfileReader file(m_file);
    QStringList rows;
    rows.reserve(Slots);
    for (int slot = 1; slot <= Slots; ++slot) {
        const QString text = file.value(Section, ProfileKeys::numbered(Prefix, slot));
        rows.append(text.isEmpty() ? Placeholder : text);
    }
    return rows;
}

bool AutotextStore::setSlot(int slot, const QString &text)
{
    m_error.clear();
    QString why;
    if (IniFile::profile(m_file).setValue(Section, ProfileKeys::numbered(Prefix, slot), text, &why))
        return true;
    m_error = QStringLiteral("%1：%2").arg(QDir::toNativeSeparators(m_file), why);
    return false;
}

bool AutotextStore::storable(QString &text)
{
    text = oneLine(text);
    return cutToProfileLimit(text) == text;
}

qsizetype AutotextStore::bytes(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return QByteArray(encoder.encode(oneLine(text))).size();
}
