#include "FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>

FindBar::FindBar(QWebEnginePage *page, QWidget *parent)
    : QWidget(parent), m_page(page), m_text(new QLineEdit), m_matchCase(new QCheckBox(QStringLiteral("区分大小写"))),
      m_result(new QLabel)
{
    setObjectName(QStringLiteral("FindBar"));
    m_text->setObjectName(QStringLiteral("FindText"));
    m_text->setPlaceholderText(QStringLiteral("在网页中查找"));
    m_result->setObjectName(QStringLiteral("FindResult"));
    auto *next = new QToolButton;
    next->setText(QStringLiteral("下一个"));
    auto *previous = new QToolButton;
    previous->setText(QStringLiteral("上一个"));
    auto *closeButton = new QToolButton;
    closeButton->setText(QStringLiteral("关闭"));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(new QLabel(QStringLiteral("查找：")));
    row->addWidget(m_text, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(m_matchCase);
    row->addWidget(m_result);
    row->addWidget(closeButton);

    connect(m_text, &QLineEdit::returnPressed, this, [this] { find(false); });
    connect(next, &QToolButton::clicked, this, [this] { find(false); });
    connect(previous, &QToolButton::clicked, this, [this] { find(true); });
    // The engine treats the same text as "find next" and keeps the old case rule;
    // a new rule needs a new search.
    connect(m_matchCase, &QCheckBox::toggled, this, [this] {
        m_page->findText(QString());
        find(false);
    });
    connect(m_page, &QWebEnginePage::loadStarted, m_result, &QLabel::clear);
    connect(closeButton, &QToolButton::clicked, this, &FindBar::close);
    hide();
}

void FindBar::open()
{
    show();
    m_text->setFocus();
    m_text->selectAll();
}

void FindBar::find(bool backward)
{
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    if (m_matchCase->isChecked())
        flags |= QWebEnginePage::FindCaseSensitively;
    const QString text = m_text->text();
    if (text.isEmpty()) {
        m_result->clear();
        m_page->findText(QString());
        return;
    }
    QPointer<FindBar> self(this);
    m_page->findText(text, flags, [self](const QWebEngineFindTextResult &result) {
        if (!self)
            return;
        self->m_result->setText(result.numberOfMatches() == 0
                                    ? QStringLiteral("未找到")
                                    : QStringLiteral("第 %1 项，共 %2 项")
                                          .arg(result.activeMatch())
                                          .arg(result.numberOfMatches()));
    });
}

QString FindBar::resultText() const { return m_result->text(); }

bool FindBar::event(QEvent *event)
{
    // Esc closes the bar rather than stopping the page.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void FindBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void FindBar::close()
{
    m_page->findText(QString());
    m_result->clear();
    hide();
    emit closed();
}
