#pragma once

#include <QDialog>

#include <utility>

class BookmarkStore;
class Prompts;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The one dialog through which bookmarks and categories are added and changed.
// Each mode is opened through its own call, which shows the dialog and returns
// the dialog's result once it is closed.
class frmAddToBookmark : public QDialog
{
    Q_OBJECT
public:
    frmAddToBookmark(BookmarkStore &store, Prompts &prompts, QWidget *parent = nullptr);

    // A new bookmark for the page name and address, under a category to choose;
    // the second option makes a new category instead.
    int addBookmark(const QString &name, const QString &address);
    // A new category only.
    int addCategory();
    // The name, address, number or category of bookmark number of categoryFile.
    int editBookmark(const QString &categoryFile, int number, const QString &name, const QString &address);
    // The name of the category kept in categoryFile.
    int renameCategory(const QString &categoryFile, const QString &name);

    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void Combo1_Validate();

    // The bookmark the last run saved: its category file and number; empty when none.
    std::pair<QString, int> savedBookmark() const { return m_saved; }

signals:
    // The bookmark files changed: the tree is to be built again.
    void LoadBookmark();

private:
    // Selects option and runs its handler, as a click would.
    void select(QRadioButton *option);
    // Shows or hides the labels and fields of a bookmark: category, address, entry number.
    void setBookmarkFieldsVisible(bool visible);
    void showOptions(bool bookmark, bool category);
    // Every listed category in index order; first, when it is one of them, leads and is chosen.
    void fillCategories(const QString &first);
    void addNewBookmark();
    void addNewCategory();
    void changeBookmark();
    void fail(const QString &text, bool critical = true);
    bool saved(bool written);
    int run();
    QString chosenFile() const;

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

    BookmarkStore &m_store;
    Prompts &m_prompts;
    std::pair<QString, int> m_saved;
};
