#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// What a user typed into an address box, read the way browsers read it.
namespace TypedAddress {

// Composes the address of a search for a query; the empty text when it cannot.
using Search = std::function<QString(const QString &query)>;

enum class Kind {
    Address,   // has a scheme of its own: loaded as written
    LocalFile, // an absolute path, or one starting with "~" or "./"
    Host,      // looks like a host name (a dot, a port, "localhost"): gets http://
    Search,    // anything else is a query for the first search engine
};

Kind classify(const QString &text);

// The address to load. search composes the address of a search for its query;
// without an engine (an empty answer) the text is tried as a host.
QUrl resolve(const QString &text, const Search &search);

} // namespace TypedAddress
