#pragma once

#include "DocumentHost.h"
#include "Documents.h"
#include "VisitedPages.h"
#include "WindowArranger.h"

#include <QList>
#include <QString>

class BrowserFactory;
class DocumentArea;

// The document windows of one area: opened, counted, found and driven here, for
// the windows themselves and for the subsystems.
class DocumentWindows : public Documents, public DocumentHost
{
    Q_OBJECT
public:
    // programFolder holds the images; the visited pages are kept in visitedFile (none when empty).
    DocumentWindows(DocumentArea *area, BrowserFactory &browsers, const QString &programFolder,
                    const QString &visitedFile = {}, QObject *parent = nullptr);
    ~DocumentWindows() override;

    frmDocument *LoadNewDoc() override;
    frmDocument *activeDocument() const override;
    void navigateActive(const QString &address) override;
    frmDocument *navigateNew(const QString &address) override;
    void cascade() override;
    void CloseDoc() override;
    frmDocument *pageWindow() override;
    const AddressSuggestions *addressSuggestions() const override { return &suggestions(); }
    VisitedPages &visitedPages() { return m_visited; }

    QList<frmDocument *> documents() const;
    // Document windows opened so far, closed ones included.
    int DocCount() const { return m_count; }
    WindowArranger &arranger() { return m_arranger; }

protected:
    void entryAdded(WindowPlace place, const MakeEntry &make) override;
    void selectionCommandsChanged() override;

signals:
    // Another window became the active one, or what back, forward and stop can do in it changed.
    void activeCommandsChanged();

private:
    DocumentArea *m_area;
    BrowserFactory &m_browsers;
    QString m_programFolder;
    WindowArranger m_arranger;
    VisitedPages m_visited;
    int m_count = 0;
};
