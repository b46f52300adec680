#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QKeySequence>
#include <QString>

#include <functional>

class OptionsSection;
class PanelPage;
class QAction;
class QWidget;
struct RoomAnchors;

// One subsystem of the main window: its panel page, its entries in the menus, the
// toolbar and the keys, its sections of the options dialog. The shell makes each
// once, in the order of its list, and knows none by type.
class Room : public QObject
{
    Q_OBJECT
public:
    // A room with a tab of the side panel, whose page make builds when it is first needed.
    Room(const QString &pageId, const QString &caption, std::function<PanelPage *()> make,
         QObject *parent = nullptr);
    // A room without a page.
    explicit Room(QObject *parent = nullptr);

    QString pageId() const { return m_pageId; }
    QString caption() const { return m_caption; }
    bool hasPage() const { return bool(m_make); }
    // The page, built at the first call; null for a room without one.
    PanelPage *page();
    bool pageBuilt() const { return !m_page.isNull(); }

    // Start-up, once every room is made and placed.
    virtual void load() {}
    // The main window closed as the user asked, its document windows with it: a run that ended normally.
    virtual void unload() {}
    // Puts the room's entries into the main window: actions it makes and keeps, at the
    // places it is given.
    virtual void install(const RoomAnchors &where) { Q_UNUSED(where) }
    // The room's parts of the options dialog, new each time it opens.
    virtual QList<OptionsSection *> optionsSections() { return {}; }

signals:
    // The page was just built: the shell places it before anything else uses it.
    void pageBuiltNow(PanelPage *page);

protected:
    // A key of the room's that works anywhere in window.
    void addKey(QWidget *window, const QKeySequence &key, const std::function<void()> &command);
    // An entry of the room's: caption, name (its objectName), command; icon and key optional.
    QAction *entry(const QString &caption, const char *name, const std::function<void()> &command);

private:
    QString m_pageId;
    QString m_caption;
    std::function<PanelPage *()> m_make;
    QPointer<PanelPage> m_page;
};
