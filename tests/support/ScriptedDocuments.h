#pragma once

#include "document/DocumentWindows.h"

#include <QStringList>

// The documents service over real document windows, recording what a page asked of
// it: "open", "navigate active <address>", "navigate new <address>", "cascade".
class ScriptedDocuments : public DocumentWindows
{
    Q_OBJECT
public:
    using DocumentWindows::DocumentWindows;

    QStringList calls;

    frmDocument *LoadNewDoc() override;
    void navigateActive(const QString &address) override;
    frmDocument *navigateNew(const QString &address) override;
    void cascade() override;
};
