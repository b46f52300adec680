#pragma once

#include <QString>
#include <QStringList>

// The 100 snippets of autotxt.ini in the profile folder: the keys "t 1" … "t 100"
// of section "table". A slot that is missing, empty or holds the placeholder is empty.
class AutotextStore
{
public:
    static constexpr int Slots = 100;
    static constexpr int MaxBytes = 254; // of GB18030, what a read gives back
    static const QString Placeholder; // what an empty slot shows: "<无>"

    explicit AutotextStore(const QString &profileFolder);

    QString file() const { return m_file; }
    // The 100 rows as the list shows them, the placeholder for each empty slot.
    QStringList rows() const;
    // Stores text in slot (1 … 100). False when it could not be written; lastError() says why.
    bool setSlot(int slot, const QString &text);
    QString lastError() const { return m_error; }

    static bool isEmpty(const QString &row) { return row.isEmpty() || row == Placeholder; }
    // What a snippet can hold: one line (a line break becomes "~", Enter), and no more
    // than a read gives back. False when text is too long.
    static bool storable(QString &text);
    // The bytes text takes in the file, a line break counted as the "~" it becomes.
    static qsizetype bytes(const QString &text);

private:
    QString m_file;
    QString m_error;
};
