#pragma once

#include <QWidget>

// A page of the main window's side panel. Each subsystem brings its own; the
// panel shows them as tabs in the order it is given them.
class PanelPage : public QWidget
{
    Q_OBJECT
public:
    enum Id { Search, Bookmarks, Autotext, Mail, Tools, Help };

    PanelPage(Id id, const QString &caption, QWidget *parent = nullptr)
        : QWidget(parent), m_id(id), m_caption(caption)
    {
    }

    Id id() const { return m_id; }
    QString caption() const { return m_caption; }
    // The user chose this page, also when it was already the one showing.
    virtual void chosen() {}
    // The page was asked for by its key: the keyboard goes to its main control.
    virtual void takeFocus() { focusNextChild(); }

private:
    Id m_id;
    QString m_caption;
};
