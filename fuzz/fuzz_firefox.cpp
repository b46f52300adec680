// Firefox's profiles.ini of any bytes: the profile chosen is a Path the file names
// in an [Install…] or a [Profile…] section, resolved against the file's folder, and
// a file that names a profile's Path always gives one.
#include "FuzzSupport.h"
#include "bookmarks/FirefoxProfiles.h"
#include "core/IniDocument.h"

#include <QDir>
#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::bytes(data, size);
    const QString folder = Fuzz::scratch();
    const QString path = folder + QStringLiteral("/profiles.ini");
    Fuzz::writeFile(path, bytes);
    const auto chosen = FirefoxProfiles::defaultProfile(path);

    QStringList named;
    bool profile = false;
    const QString text = QString::fromUtf8(bytes);
    QSet<QString> seen; // a look-up finds the first of a repeated key
    IniDocument::scan(text, [&](QStringView section, QStringView key, QStringView value) {
        const QString id = section.toString().toCaseFolded() + u'\n' + key.toString().toCaseFolded();
        if (seen.contains(id))
            return;
        seen.insert(id);
        const bool install = section.startsWith(u"Install", Qt::CaseInsensitive) && key.compare(u"Default", Qt::CaseInsensitive) == 0;
        const bool path = section.startsWith(u"Profile", Qt::CaseInsensitive) && key.compare(u"Path", Qt::CaseInsensitive) == 0;
        if ((install || path) && !value.isEmpty())
            named.append(QDir(folder).filePath(value.toString()));
        profile = profile || (path && !value.isEmpty());
    });
    Fuzz::require(!profile || chosen.has_value(), "a file that names a profile gives one");
    Fuzz::require(!chosen || named.contains(*chosen), "the profile chosen is one the file names");
    Fuzz::require(FirefoxProfiles::defaultProfile(path) == chosen, "the choice is the same every time");
    return 0;
}
