#include "VisitedPages.h"

#include "core/FileReplace.h"
#include "core/Logging.h"

#include <QFile>
#include <QSet>

namespace {

// One page a line: the address, a tab, the title.
QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

bool worthKeeping(const QString &address)
{
    return !address.isEmpty() && !address.startsWith(QLatin1String("about:"))
           && !address.startsWith(QLatin1String("data:"));
}

} // namespace

VisitedPages::VisitedPages(const QString &file, QObject *parent) : QObject(parent), m_file(file)
{
    m_save.setSingleShot(true);
    m_save.setInterval(SaveDelayMs);
    connect(&m_save, &QTimer::timeout, this, &VisitedPages::save);
}

VisitedPages::~VisitedPages() { save(); }

void VisitedPages::record(const QString &address, const QString &title)
{
    if (!worthKeeping(address))
        return;
    const qsizetype at = find(address);
    if (at >= 0)
        m_pages.removeAt(at);
    m_pages.append(Suggestion::make(oneLine(title), oneLine(address)));
    if (m_pages.size() > Cap)
        m_pages.remove(0, m_pages.size() - Cap);
    changed();
}

void VisitedPages::retitle(const QString &address, const QString &title)
{
    const qsizetype at = find(address);
    if (at < 0 || m_pages.at(at).title == title)
        return;
    m_pages[at] = Suggestion::make(oneLine(title), m_pages.at(at).address);
    changed();
}

void VisitedPages::clear()
{
    m_pages.clear();
    m_read = true; // what the file holds is cleared too
    changed();
}

qsizetype VisitedPages::find(const QString &address) const
{
    const QString stored = oneLine(address);
    for (qsizetype i = m_pages.size() - 1; i >= 0; --i)
        if (m_pages.at(i).address == stored)
            return i;
    return -1;
}

void VisitedPages::changed()
{
    m_changed = true;
    // Not restarted by each change: pages loading one after another still get saved.
    if (!m_file.isEmpty() && !m_save.isActive())
        m_save.start();
}

QList<Suggestion> VisitedPages::pages()
{
    read();
    return {m_pages.crbegin(), m_pages.crend()};
}

// Pages loaded before the read are newer than any in the file.
void VisitedPages::read()
{
    if (std::exchange(m_read, true) || m_file.isEmpty())
        return;
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QSet<QString> seen;
    for (const Suggestion &page : std::as_const(m_pages))
        seen.insert(page.address);
    QList<Suggestion> older;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        const QString address = line.left(tab);
        if (tab < 0 || seen.contains(address) || older.size() + m_pages.size() >= Cap)
            continue;
        seen.insert(address);
        older.append(Suggestion::make(line.mid(tab + 1), address));
    }
    std::reverse(older.begin(), older.end());
    m_pages = older + m_pages;
}

bool VisitedPages::save()
{
    m_save.stop();
    if (!m_changed || m_file.isEmpty())
        return true;
    read();
    QByteArray text;
    for (auto page = m_pages.crbegin(); page != m_pages.crend(); ++page)
        text += page->address.toUtf8() + '\t' + page->title.toUtf8() + '\n';
    QString error;
    if (!replaceFile(m_file, text, &error)) {
        qCWarning(lcProfile) << "cannot write" << m_file << error;
        return false;
    }
    m_changed = false;
    return true;
}

void VisitedPages::collect(const QStringList &words, const Take &take)
{
    read();
    for (auto page = m_pages.crbegin(); page != m_pages.crend(); ++page)
        if (page->matches(words) && !take(*page))
            return;
}
