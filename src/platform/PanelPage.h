#pragma once

#include <QWidget>

// A page of the main window's side panel. Each room brings its own, named by an
// id of its choosing; the panel shows them as tabs in the order it is given them.
class PanelPage : public QWidget
{
    Q_OBJECT
public:
    PanelPage(const QString &id, const QString &caption, QWidget *parent = nullptr)
        : QWidget(parent), m_id(id), m_caption(caption)
    {
    }

    QString id() const { return m_id; }
    QString caption() const { return m_caption; }
    // The user chose this page, also when it was already the one showing.
    virtual void chosen() {}
    // The page was asked for by its key: the keyboard goes to its main control.
    virtual void takeFocus() { focusNextChild(); }

private:
    QString m_id;
    QString m_caption;
};
