#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWebEnginePage;

// Find in page: next, previous, match case, and a visible "not found".
class FindBar : public QWidget
{
    Q_OBJECT
public:
    explicit FindBar(QWebEnginePage *page, QWidget *parent = nullptr);
    void open();
    void find(bool backward);
    QString resultText() const;

signals:
    void closed();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void close();

    QWebEnginePage *m_page;
    QLineEdit *m_text;
    QCheckBox *m_matchCase;
    QLabel *m_result;
};
