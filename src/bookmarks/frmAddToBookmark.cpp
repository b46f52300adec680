#include "frmAddToBookmark.h"

#include "BookmarkStore.h"
#include "CategoryPicker.h"
#include "core/Prompts.h"
#include "core/StoreError.h"
#include "platform/NumberFieldGuard.h"
#include "platform/PanelLayout.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using PanelLayout::named;

namespace {

const QString New = QStringLiteral("New");
const QString FileEnding = QStringLiteral(".bookmark.txt");

} // namespace

frmAddToBookmark::frmAddToBookmark(BookmarkStore &store, Prompts &prompts, QWidget *parent)
    : QDialog(parent), Text1(named(new QLineEdit, "Text1")), Text3(named(new QLineEdit, "Text3")),
      Combo1(named(new QComboBox, "Combo1")), Text2(named(new QLineEdit, "Text2")),
      Option1(named(new QRadioButton(QStringLiteral("书签")), "Option1")),
      Option2(named(new QRadioButton(QStringLiteral("书签类别")), "Option2")),
      Command1(named(new QPushButton(QStringLiteral("确认")), "Command1")),
      Command2(named(new QPushButton(QStringLiteral("取消")), "Command2")), lblName(new QLabel(QStringLiteral("名称"))),
      lblAddress(new QLabel(QStringLiteral("地址"))), lblCategory(new QLabel(QStringLiteral("类别"))),
      lblNumber(new QLabel(QStringLiteral("序号"))), m_store(store), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmAddToBookmark"));
    setWindowTitle(QStringLiteral("添加书签"));
    Text3->setMinimumWidth(320);
    Command1->setDefault(true);
    auto *options = new QHBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *grid = new QGridLayout(this);
    grid->addLayout(options, 0, 0, 1, 2);
    const std::pair<QLabel *, QWidget *> rows[] = {
        {lblName, Text1}, {lblAddress, Text3}, {lblCategory, Combo1}, {lblNumber, Text2}};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(rows[i].first, i + 1, 0);
        grid->addWidget(rows[i].second, i + 1, 1);
        rows[i].first->setBuddy(rows[i].second);
    }
    grid->addLayout(buttons, 5, 0, 1, 2);

    connect(Option1, &QRadioButton::clicked, this, &frmAddToBookmark::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &frmAddToBookmark::Option2_Click);
    connect(Combo1, &QComboBox::currentTextChanged, this, &frmAddToBookmark::Combo1_Validate);
    // Only one to five decimal digits, the first not a zero; anything else is cleared.
    new NumberFieldGuard(Text2, {5, 0, QStringLiteral("请不要输入过大的数字，这将使处理变慢")},
                         [this](const QString &why) { fail(why); });
    connect(Command1, &QPushButton::clicked, this, &frmAddToBookmark::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

int frmAddToBookmark::addBookmark(const QString &name, const QString &address)
{
    setWindowTitle(QStringLiteral("添加书签"));
    BkFile = New;
    Text3->setText(address);
    Text1->setText(name);
    showOptions(true, true);
    select(Option1);
    fillCategories(QString());
    return run();
}

int frmAddToBookmark::addCategory()
{
    setWindowTitle(QStringLiteral("添加书签类别"));
    BkFile = New;
    showOptions(false, true);
    select(Option2);
    Text1->clear();
    return run();
}

int frmAddToBookmark::editBookmark(const QString &categoryFile, int number, const QString &name,
                                   const QString &address)
{
    setWindowTitle(QStringLiteral("修改书签"));
    Text1->setText(name);
    Text3->setText(address);
    showOptions(true, false);
    setBookmarkFieldsVisible(true);
    BkFile = categoryFile;
    BkIndex = QString::number(number);
    Text2->setText(BkIndex);
    fillCategories(BkFile);
    select(Option1);
    return run();
}

int frmAddToBookmark::renameCategory(const QString &categoryFile, const QString &name)
{
    setWindowTitle(QStringLiteral("修改书签"));
    showOptions(false, true);
    setBookmarkFieldsVisible(false);
    Combo1->clear();
    select(Option2);
    Text1->setText(name);
    BkFile = categoryFile;
    return run();
}

// Every mode starts in the name field, ready to type over it.
int frmAddToBookmark::run()
{
    m_saved = {};
    Text1->setFocus();
    Text1->selectAll();
    return exec();
}

void frmAddToBookmark::showOptions(bool bookmark, bool category)
{
    Option1->setVisible(bookmark);
    Option2->setVisible(category);
}

void frmAddToBookmark::fillCategories(const QString &first)
{
    fillCategoryPicker(Combo1, m_store, first);
    // With a single category there is nothing to choose.
    if (first.isEmpty() && Combo1->count() == 1)
        Combo1->setCurrentIndex(0);
}

void frmAddToBookmark::setBookmarkFieldsVisible(bool visible)
{
    for (QWidget *w : {static_cast<QWidget *>(lblCategory), static_cast<QWidget *>(lblAddress),
                       static_cast<QWidget *>(lblNumber), static_cast<QWidget *>(Combo1),
                       static_cast<QWidget *>(Text2), static_cast<QWidget *>(Text3)})
        w->setVisible(visible);
}

void frmAddToBookmark::Option1_Click() { setBookmarkFieldsVisible(true); }
void frmAddToBookmark::Option2_Click() { setBookmarkFieldsVisible(false); }

void frmAddToBookmark::select(QRadioButton *option)
{
    option->setChecked(true);
    if (option == Option1)
        Option1_Click();
    else
        Option2_Click();
}

void frmAddToBookmark::Combo1_Validate()
{
    BkFile1 = chosenFile();
    BkIndex1 = m_store.highWater(BkFile1) + 1;
}

void frmAddToBookmark::fail(const QString &text, bool critical)
{
    m_prompts.message(this, text, QStringLiteral("错误"), critical ? Prompts::Critical : Prompts::Information);
}

// The category shown in the picker, however it got there.
QString frmAddToBookmark::chosenFile() const { return Combo1->currentData().toString(); }

// A change that could not be saved keeps the dialog open with everything typed.
bool frmAddToBookmark::saved(bool written)
{
    if (!written)
        fail(storeFailureText(QStringLiteral("书签"), m_store.lastError()));
    return written;
}

void frmAddToBookmark::Command1_Click()
{
    if (BkFile == New && Option1->isChecked())
        addNewBookmark();
    else if (BkFile == New)
        addNewCategory();
    else if (Option1->isChecked())
        changeBookmark();
    else if (saved(m_store.renameCategory(BkFile, Text1->text()))) {
        emit LoadBookmark();
        accept();
    }
}

void frmAddToBookmark::addNewBookmark()
{
    if (chosenFile().isEmpty()) {
        fail(QStringLiteral("请选择一个书签类别"), false);
        return;
    }
    Combo1_Validate();
    const int number = m_store.addBookmark(BkFile1, Text1->text(), Text3->text());
    if (!saved(number > 0))
        return;
    m_saved = {BkFile1, number};
    emit LoadBookmark();
    accept();
}

void frmAddToBookmark::addNewCategory()
{
    // New categories live together in the profile folder's bookmarks/.
    const QString folder = m_store.folder() + QStringLiteral("/bookmarks/");
    QDir().mkpath(folder);
    QString file = m_prompts.saveFileName(this, windowTitle(), folder, QStringLiteral("Vantorel II书签文件 (*.bookmark.txt)"));
    if (file.isEmpty())
        return; // cancelled: nothing is created
    if (!file.endsWith(FileEnding, Qt::CaseInsensitive))
        file += FileEnding;
    switch (m_store.createCategory(file, Text1->text())) {
    case BookmarkStore::CreateResult::OutsideFolder:
        fail(QStringLiteral("不能将书签文件放在其他文件夹，必须放在Vantorel配置文件夹下面"));
        return;
    case BookmarkStore::CreateResult::LiveFile:
        fail(QStringLiteral("不能覆盖已经存在的书签文件，请另外输入文件名"));
        return;
    case BookmarkStore::CreateResult::NameTaken:
        fail(QStringLiteral("已经有一个名为“%1”的书签类别，请另外输入名称").arg(Text1->text()));
        return;
    case BookmarkStore::CreateResult::Failed:
        saved(false);
        return;
    case BookmarkStore::CreateResult::Created:
        break;
    }
    emit LoadBookmark();
    accept();
}

void frmAddToBookmark::changeBookmark()
{
    const QString target = chosenFile();
    if (target != BkFile) {
        const int added = m_store.moveBookmark(BkFile, BkIndex.toInt(), target, Text1->text(), Text3->text());
        if (!saved(added > 0))
            return;
        m_saved = {target, added};
        BkFile = target;
        BkIndex = QString::number(qMax(0, added - 1));
    } else {
        if (Text2->text().isEmpty()) {
            fail(QStringLiteral("请输入一个数字"));
            return;
        }
        const int number = Text2->text().toInt();
        // Writing onto another bookmark's number replaces it: only when the user says so.
        if (number != BkIndex.toInt()) {
            const auto taken = m_store.entry(BkFile, number);
            if (taken
                && m_prompts.message(this, QStringLiteral("序号 %1 已被“%2”使用，是否替换？").arg(number).arg(taken->name),
                                     QStringLiteral("确认"), Prompts::Question, Prompts::Yes | Prompts::No)
                       != Prompts::Yes)
                return;
        }
        if (!saved(m_store.writeBookmark(BkFile, BkIndex.toInt(), number, Text1->text(), Text3->text())))
            return;
        m_saved = {BkFile, number};
    }
    emit LoadBookmark();
    accept();
}
