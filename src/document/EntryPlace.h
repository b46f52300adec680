#pragma once

#include <QString>

#include <functional>

class QAction;
class QWidget;

// A place in a menu or on a toolbar where a room puts entries of its own: before the
// shell's item `before`, or at the end. The room makes each QAction, with its caption,
// key and command, and keeps it; the shell names none of them.
class EntryPlace
{
public:
    // Told of each entry added, with the key the toolbar's dispatcher runs it by.
    using Added = std::function<void(QAction *entry, const QString &key)>;

    EntryPlace() = default;
    EntryPlace(QWidget *bar, QAction *before, Added added = {});

    // key: for a toolbar button, what MotherButton_Click knows it by; empty for none.
    void add(QAction *entry, const QString &key = QString()) const;
    QWidget *bar() const { return m_bar; }

private:
    QWidget *m_bar = nullptr; // a QMenu or a QToolBar
    QAction *m_before = nullptr;
    Added m_added;
};
