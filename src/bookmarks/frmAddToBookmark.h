#pragma once

#include <QDialog>

class BookmarkStore;
class Prompts;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The one dialog through which bookmarks and categories are added and changed.
// Its mode is what the caller sets: BkFile "New" or a category file, and the
// option selected (a bookmark, or a category).
class frmAddToBookmark : public QDialog
{
    Q_OBJECT
public:
    frmAddToBookmark(BookmarkStore &store, Prompts &prompts, QWidget *parent = nullptr);

    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void Combo1_Validate();
    void Text2_Change();
    // Selects option and runs its handler, as a click would.
    void select(QRadioButton *option);
    // Shows or hides the labels and fields of a bookmark: category, address, entry number.
    void setBookmarkFieldsVisible(bool visible);

    QLineEdit *Text1;
    QLineEdit *Text3;
    QComboBox *Combo1;
    QLineEdit *Text2;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QPushButton *Command1;
    QPushButton *Command2;
    QLabel *lblName;
    QLabel *lblAddress;
    QLabel *lblCategory;
    QLabel *lblNumber;

    QString BkFile;
    QString BkIndex;
    QString BkFile1;
    int BkIndex1 = 0;

signals:
    // The bookmark files changed: the tree is to be built again.
    void LoadBookmark();

private:
    void addBookmark();
    void addCategory();
    void editBookmark();
    void fail(const QString &text, bool critical = true);
    QString chosenFile() const;

    BookmarkStore &m_store;
    Prompts &m_prompts;
    bool m_checkingNumber = false;
};
