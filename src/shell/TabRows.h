#pragma once

#include <QStringList>
#include <QWidget>

class QStyleOptionTab;

// A strip of tabs that takes more rows where one row cannot show every caption, so that
// no tab hides behind scroll arrows. The tabs of a row share its width; a caption is cut
// only where a tab alone on its row is still too narrow for it.
class TabRows : public QWidget
{
    Q_OBJECT
public:
    explicit TabRows(QWidget *parent = nullptr);

    void addTab(const QString &text);
    int count() const { return int(m_texts.size()); }
    QString tabText(int index) const { return m_texts.value(index); }
    QRect tabRect(int index) const;
    int tabAt(const QPoint &position) const;
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);

    // All the tabs side by side, each with the room a tab bar gives its caption.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void currentChanged(int index);
    // Pressed, also when it shows already; before it becomes the current one.
    void tabBarClicked(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QStyleOptionTab option(int index) const;
    int rowsFor(int width) const;
    int tabHeight() const;
    int padding() const;

    QStringList m_texts;
    int m_current = -1;
};
