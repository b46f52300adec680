#include "EntryPlace.h"

#include <QWidget>

EntryPlace::EntryPlace(QWidget *bar, QAction *before, Added added)
    : m_bar(bar), m_before(before), m_added(std::move(added))
{
}

void EntryPlace::add(QAction *entry, const QString &key) const
{
    m_bar->insertAction(m_before, entry);
    if (m_added)
        m_added(entry, key);
}
