#pragma once

#include <QMdiArea>
#include <QPointer>

class frmDocument;

// The area that holds the document windows. It keeps track of the current one
// itself: QMdiArea answers none while the application is inactive or the area
// not yet shown, and reports a change while the closing window still stands.
class DocumentArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit DocumentArea(QWidget *parent = nullptr);
    ~DocumentArea() override;

    // Adds, shows and activates document.
    void addDocument(frmDocument *document);
    frmDocument *activeDocument() const;
    QList<frmDocument *> documents() const;
    void setTabbed(bool tabbed);
    // Whether the current document fills the area: maximized, or shown as a tab.
    bool currentFills() const;

signals:
    // The current document changed, or its caption, or whether it fills the area.
    void currentChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void escapeTabTexts();

    QPointer<frmDocument> m_current;
    QObject *m_watcher;
};
