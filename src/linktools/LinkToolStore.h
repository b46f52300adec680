#pragma once

#include <QList>
#include <QString>

#include <functional>

class IniDocument;

// One external program of the toolbar's "外接" menu.
struct LinkTool
{
    int number = 0; // its "p N" in the file
    QString title;  // an entry stored without one shows its program's file name
    QString path;   // the program, started as it stands
};

// linktools.ini in the profile folder: "number" in [main] is the highest entry
// number ever given, and "p N" in [program] holds "title,path". A deleted entry
// keeps its key with an empty value, so numbers are never given twice.
class LinkToolStore
{
public:
    explicit LinkToolStore(const QString &profileFolder);

    QString file() const { return m_file; }
    // Every entry with a path, in number order, whatever "number" says.
    QList<LinkTool> tools() const;

    // Each returns false when nothing was stored; lastError() then says why: an entry
    // refused (see refusal()), or a file that could not be written.
    // A new entry under a number above "number" and above every entry in the file; a
    // title's commas become full-width, as the first comma of an entry ends its title.
    bool add(const QString &title, const QString &path);
    bool remove(int number);
    // Keeps the program the entry holds; one removed meanwhile (another running copy) stays removed.
    bool setTitle(int number, const QString &title);
    QString lastError() const { return m_error; }

    // Why title and path cannot make an entry (a blank title, which would hide it, or
    // more than a profile value holds, which a read would cut inside the path); empty
    // when they can.
    static QString refusal(const QString &title, const QString &path);
    // Whether some title fits beside path.
    static bool pathFits(const QString &path);

private:
    bool change(const std::function<void(IniDocument &)> &edit);
    bool refused(const QString &title, const QString &path);

    QString m_file;
    QString m_error;
};
