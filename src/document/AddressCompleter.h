#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class AddressSuggestions;
class QComboBox;
class QTreeWidget;

// The list under an address box of the pages that match what is typed. Keys
// stay in the box: Down and Up choose a row, Enter or a click opens it, Esc
// closes the list and leaves the text as typed. Enter with no row chosen is
// the box's own.
class AddressCompleter : public QObject
{
    Q_OBJECT
public:
    using Open = std::function<void(const QString &address)>;

    AddressCompleter(QComboBox *box, const AddressSuggestions &suggestions, Open open);
    ~AddressCompleter() override;

    // The list while it shows; null when it does not.
    QTreeWidget *list() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void update(const QString &typed);
    void showList();
    void hideList();
    bool handleKey(int key);
    void moveChoice(int step);
    void openRow(int row);

    QComboBox *m_box;
    const AddressSuggestions &m_suggestions;
    Open m_open;
    // A child of the box's window, over the page, so that no window takes the focus from the box.
    QPointer<QTreeWidget> m_list;
    QList<QPointer<QObject>> m_watched;
};
