#include "ScriptedDocuments.h"

frmDocument *ScriptedDocuments::LoadNewDoc()
{
    calls.append(QStringLiteral("open"));
    return DocumentWindows::LoadNewDoc();
}

void ScriptedDocuments::navigateActive(const QString &address)
{
    calls.append(QStringLiteral("navigate active ") + address);
    DocumentWindows::navigateActive(address);
}

frmDocument *ScriptedDocuments::navigateNew(const QString &address)
{
    calls.append(QStringLiteral("navigate new ") + address);
    return DocumentWindows::navigateNew(address);
}

void ScriptedDocuments::cascade()
{
    calls.append(QStringLiteral("cascade"));
    DocumentWindows::cascade();
}
