#pragma once

#include <QString>

// The address of one engine's result page for query, from the engine's tag
// ("LX=" prefix "RX=" suffix). The query is percent-encoded as UTF-8 so that
// "&", "#", "+", "%" and blanks reach the engine as typed instead of ending
// the query field early.
QString composeSearchUrl(const QString &tag, const QString &query);

// The address of a search for query with the first engine of the engine files
// in profileFolder; the empty text when there is no engine.
QString firstEngineSearch(const QString &profileFolder, const QString &query);
