#include "frmBookmarkManage.h"

#include "BookmarkStore.h"
#include "CategoryPicker.h"
#include "FavoritesExport.h"
#include "FavoritesImport.h"
#include "InstalledBrowsers.h"
#include "InternetShortcut.h"
#include "NetscapeBookmarks.h"
#include "core/Prompts.h"
#include "core/StoreError.h"
#include "platform/PanelLayout.h"
#include "frmAddToBookmark.h"
#include "platform/EnterKeyFilter.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QStandardItemModel>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStorageInfo>
#include <QTabWidget>
#include <QTreeView>

using PanelLayout::named;

namespace {

enum Role { PathRole = Qt::UserRole + 1, AddedRole };

const QString ExportHelp = QStringLiteral(
    "请选择导出的目标文件夹：\n"
    "1.每个书签类别会成为这里的一个子文件夹，每个书签成为其中的一个 .url 网址快捷方式；"
    "这样的文件夹可以复制到 Windows 电脑的收藏夹中使用。\n"
    "2.Linux 上的浏览器把书签保存在自己的配置文件夹里：Firefox 一般在 ~/.mozilla/firefox "
    "或 ~/.config/mozilla/firefox 下面，Chrome、Chromium 等在 ~/.config/浏览器名 下面"
    "（以“.”开头的是隐藏文件夹，在文件管理器中按 Ctrl+H 才能看到）；"
    "它们都不读取 .url 文件，不必把书签导出到那里。\n"
    "3.如果你想把书签交给这些浏览器，请按“导出HTML书签…”保存一个 HTML 文件，"
    "再用浏览器书签管理器中的“导入”读取它。");
const QString HtmlFilter = QStringLiteral("HTML书签文件 (*.html *.htm);;所有文件 (*)");

QPushButton *button(const char *name, const QString &caption) { return named(new QPushButton(caption), name); }

// Removable media are mounted below these.
bool isRemovable(const QString &root)
{
    return root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"))
        || root.startsWith(QLatin1String("/mnt/"));
}

int bookmarkCount(const QList<ExchangeCategory> &categories)
{
    int count = 0;
    for (const ExchangeCategory &category : categories)
        count += int(category.bookmarks.size());
    return count;
}

// A name the user typed for a folder that must stay inside its parent.
bool isFolderName(const QString &name)
{
    return !name.trimmed().isEmpty() && !name.contains(u'/') && name != QLatin1String(".") && name != QLatin1String("..");
}

} // namespace

frmBookmarkManage::frmBookmarkManage(BookmarkStore &store, Prompts &prompts, frmAddToBookmark &dialog, QWidget *parent)
    : QDialog(parent), TabStrip(named(new QTabWidget, "TabStrip")), Drive1(named(new QComboBox, "Drive1")),
      Dir1(named(new QTreeView, "Dir1")), File1(named(new QListView, "File1")), URL(named(new QLineEdit, "URL")),
      BookmarkFiles(named(new QComboBox, "BookmarkFiles")), Drive2(named(new QComboBox, "Drive2")),
      Dir2(named(new QTreeView, "Dir2")), favourite(named(new QLineEdit, "favourite")),
      cmdOK(button("cmdOK", QStringLiteral("执行操作"))), cmdCancel(button("cmdCancel", QStringLiteral("关闭"))),
      m_store(store), m_prompts(prompts), m_dialog(dialog), m_folders(new QFileSystemModel(this)),
      m_files(new QStandardItemModel(this))
{
    setObjectName(QStringLiteral("frmBookmarkManage"));
    setWindowTitle(QStringLiteral("管理书签"));
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folders->setRootPath(QDir::rootPath());

    TabStrip->addTab(buildImportPanel(), QStringLiteral("将IE收藏夹导入到Vantorel书签"));
    TabStrip->addTab(buildExportPanel(), QStringLiteral("将Vantorel书签导出到IE收藏夹"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(TabStrip, 1);
    layout->addLayout(buttons);
    resize(640, 480);

    // Enter in a field does not run whichever button had the focus last.
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &frmBookmarkManage::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    fillDrives(Drive1);
    fillDrives(Drive2);
    // Both lists start in the home folder, where a user keeps their files.
    for (QComboBox *drive : {Drive1, Drive2}) {
        chooseDrive(drive, QDir::homePath());
        showFolder(drive == Drive1 ? Dir1 : Dir2, QDir::homePath());
    }
}

QWidget *frmBookmarkManage::folderPicker(QComboBox *drive, QTreeView *folders, const char *driveName,
                                         const char *folderName)
{
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *driveLabel = named(new QLabel(QStringLiteral("驱动器")), driveName);
    auto *folderLabel = named(new QLabel(QStringLiteral("文件夹")), folderName);
    driveLabel->setBuddy(drive);
    folderLabel->setBuddy(folders);
    grid->addWidget(driveLabel, 0, 0);
    grid->addWidget(drive, 1, 0);
    grid->addWidget(folderLabel, 2, 0);
    grid->addWidget(folders, 3, 0);
    folders->setModel(m_folders);
    folders->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        folders->hideColumn(column);
    connect(drive, &QComboBox::currentIndexChanged, this, [this, drive, folders] {
        showFolder(folders, drive->currentData().toString());
    });
    return box;
}

QWidget *frmBookmarkManage::buildImportPanel()
{
    auto *panel = named(new QWidget, "PIC1");
    auto *grid = new QGridLayout(panel);
    grid->addWidget(folderPicker(Drive1, Dir1, "lblDrive1", "lblDir1"), 0, 0, 3, 1);
    auto *fileLabel = new QLabel(QStringLiteral("文件"));
    fileLabel->setBuddy(File1);
    grid->addWidget(fileLabel, 0, 1);
    grid->addWidget(File1, 1, 1);
    File1->setModel(m_files);
    File1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto *fields = new QGridLayout;
    const std::pair<QString, QWidget *> rows[] = {{QStringLiteral("地址"), URL}, {QStringLiteral("导入到"), BookmarkFiles}};
    for (int i = 0; i < 2; ++i) {
        auto *label = new QLabel(rows[i].first);
        label->setBuddy(rows[i].second);
        fields->addWidget(label, i, 0);
        fields->addWidget(rows[i].second, i, 1);
    }
    auto *newCategory = button("CMDNewbookmarkType", QStringLiteral("新建书签类别"));
    auto *refresh = button("cmdREFRESH2", QStringLiteral("刷新"));
    fields->addWidget(newCategory, 1, 2);
    fields->addWidget(refresh, 0, 2);
    grid->addLayout(fields, 3, 0, 1, 2);
    auto *others = new QHBoxLayout;
    auto *html = button("cmdImportHtml", QStringLiteral("导入HTML书签…"));
    auto *firefox = button("cmdImportFirefox", QStringLiteral("从Firefox导入"));
    auto *chromium = button("cmdImportChromium", QStringLiteral("从Chrome/Edge等导入"));
    for (QPushButton *b : {html, firefox, chromium})
        others->addWidget(b);
    others->addStretch();
    grid->addLayout(others, 4, 0, 1, 2);

    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { listFiles(folderOf(Dir1)); });
    connect(File1, &QListView::clicked, this,
            [this](const QModelIndex &file) { URL->setText(file.data(Qt::ToolTipRole).toString()); });
    // The key is the field's alone: it must not press a button of the window as well.
    new EnterKeyFilter(URL, [this] { URL_KeyUp(); });
    connect(newCategory, &QPushButton::clicked, this, &frmBookmarkManage::CMDNewbookmarkType_Click);
    connect(refresh, &QPushButton::clicked, this, &frmBookmarkManage::cmdREFRESH_Click);
    connect(html, &QPushButton::clicked, this, &frmBookmarkManage::importHtml);
    connect(firefox, &QPushButton::clicked, this,
            [this] { importInstalled(InstalledBrowsers::findFirefox(), QStringLiteral("Firefox")); });
    connect(chromium, &QPushButton::clicked, this,
            [this] { importInstalled(InstalledBrowsers::findChromium(), QStringLiteral("Chrome、Edge 等浏览器")); });
    return panel;
}

QWidget *frmBookmarkManage::buildExportPanel()
{
    auto *panel = named(new QWidget, "PIC2");
    auto *grid = new QGridLayout(panel);
    grid->addWidget(folderPicker(Drive2, Dir2, "lblDrive2", "lblDir2"), 0, 0, 2, 1);
    auto *help = named(new QLabel(ExportHelp), "lblExportHelp");
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    help->setMinimumWidth(280);
    grid->addWidget(help, 0, 1);
    auto *target = new QLabel(QStringLiteral("导出到"));
    target->setBuddy(favourite);
    auto *row = new QHBoxLayout;
    row->addWidget(target);
    row->addWidget(favourite, 1);
    auto *newFolder = button("cmdNEWFOLDER", QStringLiteral("建立文件夹"));
    auto *refresh = button("cmdREFRESH1", QStringLiteral("刷新"));
    auto *html = button("cmdExportHtml", QStringLiteral("导出HTML书签…"));
    for (QPushButton *b : {newFolder, refresh, html})
        row->addWidget(b);
    grid->addLayout(row, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    connect(Dir2->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { favourite->setText(folderOf(Dir2)); });
    connect(newFolder, &QPushButton::clicked, this, &frmBookmarkManage::cmdNEWFOLDER_Click);
    connect(refresh, &QPushButton::clicked, this, &frmBookmarkManage::cmdREFRESH_Click);
    connect(html, &QPushButton::clicked, this, &frmBookmarkManage::exportHtml);
    return panel;
}

// The mounted volumes a user keeps files on: the root, the home folder, removable media.
void frmBookmarkManage::fillDrives(QComboBox *drive)
{
    const QSignalBlocker quiet(drive);
    drive->clear();
    drive->addItem(QStringLiteral("/"), QDir::rootPath());
    drive->addItem(QStringLiteral("主文件夹 (%1)").arg(QDir::homePath()), QDir::homePath());
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && isRemovable(volume.rootPath()))
            drive->addItem(QStringLiteral("%1 (%2)").arg(volume.displayName(), volume.rootPath()), volume.rootPath());
    }
}

// The folder a folder list shows as chosen: its current node, else its root.
QString frmBookmarkManage::folderOf(const QTreeView *folders) const
{
    const QModelIndex current = folders->currentIndex();
    return m_folders->filePath(current.isValid() ? current : folders->rootIndex());
}

// Moves a folder list to path; a path below its drive's root opens down to it.
void frmBookmarkManage::showFolder(QTreeView *folders, const QString &path)
{
    QComboBox *drive = folders == Dir1 ? Drive1 : Drive2;
    const QString root = drive->currentData().toString();
    folders->setRootIndex(m_folders->index(root));
    const QModelIndex at = m_folders->index(path);
    if (path == root || !at.isValid())
        folders->setCurrentIndex(QModelIndex());
    else {
        folders->setCurrentIndex(at);
        folders->scrollTo(at);
    }
    if (folders == Dir1)
        listFiles(folderOf(Dir1));
    else
        favourite->setText(folderOf(Dir2));
}

// Listed by hand, not by the folder model: that one leaves out names in GBK bytes.
void frmBookmarkManage::listFiles(const QString &folder)
{
    m_files->clear();
    for (const ShortcutFolder::File &file : ShortcutFolder::list(folder)) {
        auto *item = new QStandardItem(file.name);
        item->setEditable(false);
        item->setData(QDir(folder).filePath(file.name), Qt::ToolTipRole);
        item->setData(file.path, PathRole);
        item->setData(file.added, AddedRole);
        m_files->appendRow(item);
    }
}

// The drive whose root is the longest start of path.
void frmBookmarkManage::chooseDrive(QComboBox *drive, const QString &path)
{
    int best = -1;
    qsizetype length = -1;
    for (int i = 0; i < drive->count(); ++i) {
        const QString root = drive->itemData(i).toString();
        const QString prefix = root.endsWith(u'/') ? root : root + u'/';
        if ((path == root || path.startsWith(prefix)) && root.size() > length) {
            best = i;
            length = root.size();
        }
    }
    if (best >= 0) {
        const QSignalBlocker quiet(drive);
        drive->setCurrentIndex(best);
    }
}

// Enter in the address field: a folder moves the lists there; anything else is left alone.
void frmBookmarkManage::URL_KeyUp()
{
    const QString path = QDir::cleanPath(URL->text());
    if (!QFileInfo(path).isDir())
        return;
    chooseDrive(Drive1, path);
    showFolder(Dir1, path);
}

void frmBookmarkManage::Form_Load()
{
    fillCategoryPicker(BookmarkFiles, m_store);
    favourite->setText(m_IEFavorites);
}

void frmBookmarkManage::cmdREFRESH_Click()
{
    Form_Load();
    fillDrives(Drive1);
    fillDrives(Drive2);
    showFolder(Dir1, folderOf(Dir1));
    showFolder(Dir2, folderOf(Dir2));
}

void frmBookmarkManage::cmdNEWFOLDER_Click()
{
    QString name = QStringLiteral("New Folder");
    if (!m_prompts.inputText(this, QStringLiteral("请输入文件夹名"), QStringLiteral("新建文件夹"), name)
        || !isFolderName(name))
        return;
    const QString parent = folderOf(Dir2);
    if (QDir(parent).mkdir(name))
        showFolder(Dir2, QDir(parent).filePath(name));
}

void frmBookmarkManage::CMDNewbookmarkType_Click()
{
    m_dialog.addCategory();
    Form_Load();
}

void frmBookmarkManage::cmdOK_Click()
{
    if (TabStrip->currentIndex() == 0)
        importShortcuts();
    else
        exportShortcuts();
}

QList<ShortcutFolder::File> frmBookmarkManage::selectedFiles() const
{
    QModelIndexList chosen = File1->selectionModel()->selectedIndexes();
    std::sort(chosen.begin(), chosen.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QList<ShortcutFolder::File> files;
    for (const QModelIndex &file : std::as_const(chosen))
        files.append({file.data().toString(), file.data(PathRole).toByteArray(), file.data(AddedRole).toLongLong()});
    return files;
}

void frmBookmarkManage::importShortcuts()
{
    const QString target = BookmarkFiles->currentData().toString();
    if (target.isEmpty()) {
        m_prompts.message(this, QStringLiteral("请选择一个书签类别"), QStringLiteral("错误"), Prompts::Information);
        return;
    }
    QList<std::pair<QString, QString>> bookmarks;
    for (const ExchangeBookmark &bookmark : FavoritesImport::read(selectedFiles()))
        bookmarks.append({bookmark.name, bookmark.address});
    if (!reportImport(m_store.appendBookmarks(target, bookmarks)))
        return;
    emit LoadBookmark();
    accept();
}

bool frmBookmarkManage::reportImport(const BookmarkStore::Imported &imported)
{
    if (!m_store.lastError().isEmpty()) {
        m_prompts.message(this,
                          QStringLiteral("导入了 %1 个书签，其余的").arg(imported.added)
                              + storeFailureText(QString(), m_store.lastError()),
                          QStringLiteral("错误"), Prompts::Critical);
        return false;
    }
    QString text = QStringLiteral("导入成功，共 %1 个书签").arg(imported.added);
    if (imported.skipped > 0)
        text += QStringLiteral("，跳过 %1 个已有的书签").arg(imported.skipped);
    m_prompts.message(this, text, QStringLiteral("完成"), Prompts::Information);
    return true;
}

QList<ExchangeCategory> frmBookmarkManage::shownCategories() const
{
    QList<ExchangeCategory> shown;
    for (const BookmarkCategory &category : m_store.categories()) {
        ExchangeCategory out{category.name, {}};
        for (qsizetype i = 0; i < category.size(); ++i)
            out.bookmarks.append({category.entryName(i), category.entryAddress(i), 0});
        shown.append(out);
    }
    return shown;
}

void frmBookmarkManage::exportShortcuts()
{
    // An empty field would put the folders at the root of the file system.
    if (favourite->text().trimmed().isEmpty()) {
        m_prompts.message(this, QStringLiteral("请先选择导出到哪个文件夹"), QStringLiteral("错误"), Prompts::Information);
        return;
    }
    const ExportCounts counts = FavoritesExport::write(favourite->text().trimmed(), shownCategories());
    if (counts.failed > 0) {
        m_prompts.message(this,
                          QStringLiteral("有 %1 个书签没有导出，无法写入：\n%2")
                              .arg(counts.failed)
                              .arg(counts.failedPaths.mid(0, 5).join(u'\n')),
                          QStringLiteral("导出"), Prompts::Warning);
        return; // the window stays, to choose another folder
    }
    m_prompts.message(this,
                      QStringLiteral("导出成功，共 %1 个书签，保存在 %2")
                          .arg(counts.written)
                          .arg(QDir::toNativeSeparators(favourite->text().trimmed())),
                      QStringLiteral("完成"), Prompts::Information);
    emit LoadBookmark();
    accept();
}

void frmBookmarkManage::importHtml()
{
    const QString file = m_prompts.openFileName(this, QStringLiteral("导入HTML书签"), HtmlFilter);
    if (file.isEmpty())
        return;
    const auto categories = NetscapeBookmarks::readFile(file);
    if (!categories) {
        m_prompts.message(this, QStringLiteral("无法读取 %1").arg(file), QStringLiteral("错误"), Prompts::Critical);
        return;
    }
    reportImport(m_store.importCategories(*categories));
    emit LoadBookmark();
    Form_Load();
}

void frmBookmarkManage::exportHtml()
{
    const QString folder = favourite->text().trimmed().isEmpty() ? QDir::homePath() : favourite->text().trimmed();
    const QString file = m_prompts.saveFileName(this, QStringLiteral("导出HTML书签"),
                                                QDir(folder).filePath(QStringLiteral("bookmarks.html")), HtmlFilter);
    if (file.isEmpty())
        return;
    const QList<ExchangeCategory> categories = shownCategories();
    if (NetscapeBookmarks::write(categories, file))
        m_prompts.message(this, QStringLiteral("导出成功，共 %1 个书签").arg(bookmarkCount(categories)),
                          QStringLiteral("完成"), Prompts::Information);
    else
        m_prompts.message(this, QStringLiteral("无法写入 %1").arg(file), QStringLiteral("错误"), Prompts::Critical);
}

// Each browser found is offered by name; none found says where it was looked for.
void frmBookmarkManage::importInstalled(const BrowserSearch &search, const QString &kind)
{
    if (search.found.isEmpty()) {
        constexpr int Shown = 20;
        QStringList places = search.lookedIn.mid(0, Shown);
        if (search.lookedIn.size() > Shown)
            places.append(QStringLiteral("……等 %1 处").arg(search.lookedIn.size()));
        m_prompts.message(this, QStringLiteral("没有找到 %1 的书签。找过这些地方：\n%2").arg(kind, places.join(u'\n')),
                          kind, Prompts::Information);
        return;
    }
    int chosen = 0;
    if (search.found.size() > 1) {
        QStringList names;
        for (const InstalledBrowser &browser : search.found)
            names.append(browser.name);
        chosen = m_prompts.choose(this, QStringLiteral("找到以下浏览器，请选择从哪一个导入书签："), kind, names);
        if (chosen < 0)
            return;
    }
    const InstalledBrowser &browser = search.found.at(chosen);
    importFromBrowser(InstalledBrowsers::read(browser), browser.name);
}

void frmBookmarkManage::importFromBrowser(const BrowserImport &found, const QString &browser)
{
    if (!found.ok()) {
        m_prompts.message(this,
                          QStringLiteral("%1\n找过这些地方：\n%2").arg(found.error, found.lookedIn.join(u'\n')),
                          browser, Prompts::Information);
        return;
    }
    reportImport(m_store.importCategories(found.categories));
    emit LoadBookmark();
    Form_Load();
}
