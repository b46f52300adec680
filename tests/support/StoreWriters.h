#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The stores as the writer tests drive them: changes named "who-N", each with a place
// in its store, made by a writer in lane 0 or 1 of one profile folder.
constexpr int Adds = 100; // by each of two writers at once
using Held = QHash<QString, QString>; // where a change lands -> the change it holds there
using Write = std::function<bool(const QString &name)>;

// A store: what a writer in lane 0 or 1 does to it, and what it holds now.
struct Store
{
    const char *tag;
    std::function<Write(const QString &folder, int lane)> writer;
    std::function<Held(const QString &folder)> held;
    bool bySlot = false; // a change lands in its slot, where a later one replaces it
    bool takesAway = false; // lane 1 removes what lane 0 changes: nothing may be left
    QString where(const QString &name) const;
};

// A profile folder with a bookmark category, an engine group and Adds link tools "t".
bool seed(const QString &folder);
// Each change in order is there, or (in a slot) one made after it, reported later or
// not at all; otherwise what is lost.
QString lost(const Store &store, const Held &held, const QStringList &changes);
// What a kill may leave half done: a file cut short, or a whole copy beside it.
QString damage(const QString &folder);

extern const QList<const Store *> KilledStores; // a profile file, bookmarks, settings, snippets
extern const QList<const Store *> SharedStores; // bookmarks, snippets, link tools, settings, engines
