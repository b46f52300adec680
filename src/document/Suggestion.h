#pragma once

#include <QString>
#include <QStringList>

// A page an address box may suggest: its title and its address, folded once when
// made, so that matching as the user types is a plain scan.
struct Suggestion
{
    QString title;
    QString address;
    QString folded; // the title, a line break and the address, case-folded

    static Suggestion make(const QString &title, const QString &address);
    // The typed text as the words to look for: parted at blanks, case-folded.
    static QStringList words(const QString &typed);
    // Whether the title or the address holds each of the words.
    bool matches(const QStringList &words) const;
};
