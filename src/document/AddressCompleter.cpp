#include "AddressCompleter.h"

#include "AddressSuggestions.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

constexpr int MinimumWidth = 600;

bool isListKey(int key)
{
    return key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_Escape || key == Qt::Key_Return
           || key == Qt::Key_Enter;
}

} // namespace

AddressCompleter::AddressCompleter(QComboBox *box, const AddressSuggestions &suggestions, Open open)
    : QObject(box), m_box(box), m_suggestions(suggestions), m_open(std::move(open))
{
    // The list takes the place of the box's own completion from its items.
    box->setCompleter(nullptr);
    box->installEventFilter(this);
    connect(box->lineEdit(), &QLineEdit::textEdited, this, &AddressCompleter::update);
}

AddressCompleter::~AddressCompleter() { delete m_list; }

QTreeWidget *AddressCompleter::list() const { return m_list && m_list->isVisible() ? m_list : nullptr; }

void AddressCompleter::update(const QString &typed)
{
    const QList<AddressSuggestions::Row> rows = m_suggestions.suggest(typed);
    if (rows.isEmpty()) {
        hideList();
        return;
    }
    if (!m_list) {
        m_list = new QTreeWidget;
        m_list->setObjectName(QStringLiteral("AddressSuggestions"));
        m_list->setColumnCount(2);
        m_list->setHeaderHidden(true);
        m_list->setRootIsDecorated(false);
        m_list->setUniformRowHeights(true);
        m_list->setFocusPolicy(Qt::NoFocus);
        m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(m_list, &QTreeWidget::itemClicked, this,
                [this](QTreeWidgetItem *item) { openRow(m_list->indexOfTopLevelItem(item)); });
    }
    m_list->clear();
    for (const AddressSuggestions::Row &row : rows) {
        auto *item = new QTreeWidgetItem(m_list, {row.entry.title, row.entry.address});
        item->setIcon(0, m_suggestions.icon(row.source));
        item->setForeground(1, m_list->palette().placeholderText());
    }
    m_list->setCurrentItem(nullptr);
    showList();
}

// Under the box, over whatever the window shows there, as wide as a title and an address need.
void AddressCompleter::showList()
{
    QWidget *window = m_box->window();
    if (m_list->parentWidget() != window)
        m_list->setParent(window);
    const QPoint at = m_box->mapTo(window, QPoint(0, m_box->height()));
    const int width = qMax(m_box->width(), qMin(MinimumWidth, window->width() - at.x()));
    const int height = m_list->topLevelItemCount() * m_list->sizeHintForRow(0) + 2 * m_list->frameWidth();
    m_list->setGeometry(at.x(), at.y(), width, height);
    m_list->setColumnWidth(0, width * 2 / 5);
    m_list->raise();
    m_list->show();
    // Moving or resizing what holds the box leaves the list behind: it closes.
    if (m_watched.isEmpty())
        for (QWidget *holder = m_box->parentWidget(); holder; holder = holder->parentWidget()) {
            holder->installEventFilter(this);
            m_watched.append(holder);
        }
}

void AddressCompleter::hideList()
{
    if (m_list)
        m_list->hide();
    for (const QPointer<QObject> &holder : std::as_const(m_watched))
        if (holder)
            holder->removeEventFilter(this);
    m_watched.clear();
}

bool AddressCompleter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched != m_box) {
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Hide)
            hideList();
        return false;
    }
    if (type == QEvent::FocusIn)
        m_suggestions.prepare();
    else if (type == QEvent::FocusOut || type == QEvent::Hide)
        hideList();
    if (!list() || (type != QEvent::KeyPress && type != QEvent::ShortcutOverride))
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (type == QEvent::ShortcutOverride) {
        // Esc would stop the page, and Enter or the arrows might be a window's keys.
        if (isListKey(key))
            event->accept();
        return false;
    }
    return handleKey(key);
}

// True when the key was the list's.
bool AddressCompleter::handleKey(int key)
{
    switch (key) {
    case Qt::Key_Down:
        moveChoice(1);
        return true;
    case Qt::Key_Up:
        moveChoice(-1);
        return true;
    case Qt::Key_Escape:
        hideList();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
        if (row < 0) {
            hideList();
            return false;
        }
        openRow(row);
        return true;
    }
    default:
        return false;
    }
}

// From no row down to the first and past the last back to none; Up the other way.
void AddressCompleter::moveChoice(int step)
{
    const int count = m_list->topLevelItemCount();
    const int current = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    const int next = (current + step + count + 2) % (count + 1) - 1;
    if (next < 0) {
        m_list->setCurrentItem(nullptr);
        m_list->clearSelection();
    } else {
        m_list->setCurrentItem(m_list->topLevelItem(next));
    }
}

void AddressCompleter::openRow(int row)
{
    const QString address = m_list->topLevelItem(row)->text(1);
    hideList();
    m_open(address);
}
