#pragma once

#include <QString>
#include <QStringView>

// Character references in HTML text and attribute values.
namespace HtmlEntities {

// Decodes &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references
// (&#39; &#x4E2D;); anything else stays as written.
QString decode(QStringView text);

// Escapes & < > and " so the text is safe both between tags and inside a
// double-quoted attribute.
QString escape(QStringView text);

} // namespace HtmlEntities
