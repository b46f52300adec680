#include "WebEngineBrowser.h"

#include "BuiltinPages.h"
#include "FindBar.h"
#include "PagePropertiesDialog.h"
#include "PageTyper.h"
#include "PopupPolicy.h"
#include "WebPage.h"
#include "WebTypingPage.h"
#include "core/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QPageRanges>
#include <QPrinter>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

const QString FilterComplete = QStringLiteral("网页，全部 (*.htm *.html)");
const QString FilterHtmlOnly = QStringLiteral("网页，仅 HTML (*.htm *.html)");
const QString FilterArchive = QStringLiteral("Web 档案，单一文件 (*.mht *.mhtml)");

QWebEngineDownloadRequest::SavePageFormat formatFor(const QString &filter, const QString &path)
{
    if (filter == FilterArchive || path.endsWith(QLatin1String(".mht"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".mhtml"), Qt::CaseInsensitive))
        return QWebEngineDownloadRequest::MimeHtmlSaveFormat;
    if (filter == FilterHtmlOnly)
        return QWebEngineDownloadRequest::SingleHtmlSaveFormat;
    return QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
}

bool printsToPdf(const QPrinter &printer)
{
    return !printer.outputFileName().isEmpty()
           && (printer.outputFormat() == QPrinter::PdfFormat
               || printer.outputFileName().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive));
}

QString safeFileName(QString title)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar &c : title)
        if (forbidden.contains(c))
            c = QLatin1Char('_');
    title = title.trimmed();
    return title.isEmpty() ? QStringLiteral("网页") : title;
}

} // namespace

WebEngineBrowser::WebEngineBrowser(QWebEngineProfile *profile, Prompts &prompts, const TypedAddress::Search &search,
                                   PopupPolicy &popups, QWidget *parent)
    : BrowserControl(parent), m_prompts(prompts), m_search(search), m_popups(popups),
      m_page(new WebPage(profile, prompts, popups, this)),
      m_view(new QWebEngineView(this)),
      m_typer(new PageTyper(std::make_unique<WebTypingPage>(m_view, m_page), m_view))
{
    m_view->setPage(m_page);
    setFocusProxy(m_view);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool ok) {
        m_printer.reset();
        emit printFinished(ok);
    });
    connect(m_page, &QWebEnginePage::pdfPrintingFinished, this, [this](const QString &file, bool ok) {
        m_printer.reset();
        if (!ok)
            m_prompts.notify(window(), QStringLiteral("无法打印到 %1").arg(QDir::toNativeSeparators(file)),
                             QStringLiteral("打印"));
        emit printFinished(ok);
    });
    connect(m_typer, &PageTyper::typed, this, &BrowserControl::keysSent);
    connectPage();
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &WebEngineBrowser::showContextMenu);
}

// The engine's own menu, plus what the program does with text chosen in the page.
void WebEngineBrowser::showContextMenu(const QPoint &position)
{
    if (!m_view->lastContextMenuRequest())
        return; // only the engine's own requests carry what the menu is built from
    QMenu *menu = m_view->createStandardContextMenu();
    const QString selected = m_page->selectedText().simplified();
    if (!selected.isEmpty() && !selectionCommands().isEmpty())
        menu->addSeparator();
    for (const SelectionCommand &command : selectionCommands()) {
        if (selected.isEmpty())
            break;
        QAction *item = menu->addAction(command.caption);
        item->setObjectName(command.name);
        connect(item, &QAction::triggered, this, [run = command.run, selected] { run(selected); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_view->mapToGlobal(position));
}

void WebEngineBrowser::focusChanged(QWidget *old, QWidget *now)
{
    for (QWidget *widget = old; widget; widget = widget->parentWidget())
        if (auto *browser = qobject_cast<WebEngineBrowser *>(widget))
            return browser->keepPageFocus(old, now);
}

// When a navigation moves the page to another renderer, the engine hides or deletes
// the widget that had the focus, and Qt hands the focus to the next widget in the
// window or to none. The page takes it back unless it has moved on since.
void WebEngineBrowser::keepPageFocus(QWidget *old, QWidget *now)
{
    if (!old || old == m_view || !m_view->isAncestorOf(old) || m_view->isAncestorOf(now) || m_fullScreenView)
        return;
    if (!old->isHidden() && now)
        return; // the user moved on
    QTimer::singleShot(0, m_view, [this, old = QPointer<QWidget>(old), now = QPointer<QWidget>(now)] {
        // Still shown, it lost the focus to another window (one the page opened, say), not to the engine.
        if (old && !old->isHidden())
            return;
        if (m_view->isVisible() && QApplication::focusWidget() == now)
            m_view->setFocus();
    });
}

WebEngineBrowser::~WebEngineBrowser()
{
    // Views go before the page they show.
    m_fullScreenView.reset();
    delete m_view;
}

void WebEngineBrowser::connectPage()
{
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
        m_loading = true;
        report([this, text = QStringLiteral("正在打开 %1 ...").arg(m_page->requestedUrl().toDisplayString())] {
            emit CommandStateChange();
            emit DownloadBegin();
            emit StatusTextChange(text);
        });
    });
    connect(m_page, &QWebEnginePage::loadProgress, this,
            [this](int p) { report([this, p] { emit ProgressChange(p, 100); }); });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        m_loading = false;
        m_loadSucceeded = ok;
        report([this, address = locationURL()] {
            emit CommandStateChange();
            emit DownloadComplete();
            emit DocumentComplete(address);
        });
    });
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        // An aborted load (stopped, or turned into a download) is no failure to report.
        constexpr int Aborted = -3;
        if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus && info.errorCode() != Aborted)
            report([this] { emit StatusTextChange(QStringLiteral("无法打开此网页")); });
        else if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
            report([this] { emit StatusTextChange(QStringLiteral("完成")); });
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        if (!title.isEmpty())
            report([this, title] { emit TitleChange(title); });
    });
    connect(m_page, &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { report([this, url] { emit StatusTextChange(url); }); });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        if (url.scheme() != QLatin1String("data"))
            m_builtinAddress.clear();
    });
    // Before the browser has a window, no window can be opened for the page either.
    m_page->setNewWindowHandler([this]() -> QWebEnginePage * {
        auto *browser = m_held ? nullptr : qobject_cast<WebEngineBrowser *>(NewWindow2());
        return browser ? browser->page() : nullptr;
    });
    connect(m_page, &WebPage::popupBlocked, this, [this] {
        m_popupOpener = m_page->url();
        report([this] { emit PopupBlocked(); });
    });
    // The engine keeps its back and forward actions up to date with the history.
    for (const auto action : {QWebEnginePage::Back, QWebEnginePage::Forward})
        connect(m_page->action(action), &QAction::changed, this,
                [this] { report([this] { emit CommandStateChange(); }); });
    connect(m_page, &QWebEnginePage::fullScreenRequested, this, &WebEngineBrowser::toggleFullScreen);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                m_crashedAddress = locationURL();
                m_page->setHtml(QStringLiteral("<html><head><meta charset=\"utf-8\"><title>网页已崩溃</title></head>"
                                               "<body><h2>显示此网页的进程意外终止。</h2><p>请按“刷新”重新打开。</p>"
                                               "</body></html>"));
            });
}

void WebEngineBrowser::report(std::function<void()> signal)
{
    if (m_held)
        m_held->append(std::move(signal));
    else
        signal();
}

void WebEngineBrowser::preload(const QString &address)
{
    m_held.emplace();
    navigate(address);
    m_preloaded = address;
}

void WebEngineBrowser::releaseSoon()
{
    QTimer::singleShot(0, this, [this] { release(true); });
}

void WebEngineBrowser::release(bool tell)
{
    if (!m_held)
        return;
    const QList<std::function<void()>> held = std::exchange(m_held, std::nullopt).value();
    if (tell)
        for (const auto &signal : held)
            signal();
}

void WebEngineBrowser::navigate(const QString &address)
{
    if (!m_preloaded.isEmpty()) {
        const bool loading = std::exchange(m_preloaded, QString()) == address;
        release(loading);
        if (loading)
            return;
    }
    m_crashedAddress.clear();
    if (BuiltinPages::isBuiltin(address)) {
        m_page->setHtml(BuiltinPages::html(address));
        m_builtinAddress = address;
        return;
    }
    m_builtinAddress.clear();
    const QUrl url = TypedAddress::resolve(address, m_search);
    if (!url.isEmpty())
        m_page->load(url);
}

void WebEngineBrowser::goBack() { m_page->triggerAction(QWebEnginePage::Back); }
void WebEngineBrowser::goForward() { m_page->triggerAction(QWebEnginePage::Forward); }
void WebEngineBrowser::goHome() { navigate(QString::fromLatin1(BuiltinPages::StartAddress)); }
void WebEngineBrowser::refresh()
{
    // After a crash the error page is showing; refresh brings back the page that crashed.
    if (!m_crashedAddress.isEmpty())
        navigate(QString(m_crashedAddress)); // a copy: navigating clears the member
    else
        m_page->triggerAction(QWebEnginePage::Reload);
}
void WebEngineBrowser::stop() { m_page->triggerAction(QWebEnginePage::Stop); }

void WebEngineBrowser::execWB(Command command)
{
    switch (command) {
    case SaveAs: saveAs(); break;
    case Print: print(); break;
    case Properties: showProperties(); break;
    // The engine edits the focused frame only, so the page takes the focus first.
    case Cut: m_view->setFocus(); m_page->triggerAction(QWebEnginePage::Cut); break;
    case Copy: m_view->setFocus(); m_page->triggerAction(QWebEnginePage::Copy); break;
    case Paste: m_view->setFocus(); m_page->triggerAction(QWebEnginePage::Paste); break;
    }
}

QString WebEngineBrowser::locationURL() const
{
    if (!m_builtinAddress.isEmpty())
        return m_builtinAddress;
    const QUrl url = m_page->url();
    return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
}

QString WebEngineBrowser::locationName() const { return m_page->title(); }
void WebEngineBrowser::takeFocus() { m_view->setFocus(); }
void WebEngineBrowser::sendKeys(const QList<KeyStroke> &strokes) { m_typer->type(strokes); }
void WebEngineBrowser::showFind() { findBar()->open(); }
void WebEngineBrowser::allowPopups() { m_popups.allow(m_popupOpener); }

FindBar *WebEngineBrowser::findBar()
{
    if (!m_findBar) {
        m_findBar = new FindBar(m_page, this);
        layout()->addWidget(m_findBar);
        connect(m_findBar, &FindBar::closed, m_view, [this] { m_view->setFocus(); });
    }
    return m_findBar;
}
void WebEngineBrowser::setZoom(qreal factor) { m_view->setZoomFactor(factor); }
qreal WebEngineBrowser::zoom() const { return m_view->zoomFactor(); }
bool WebEngineBrowser::canGoBack() const { return m_page->action(QWebEnginePage::Back)->isEnabled(); }
bool WebEngineBrowser::canGoForward() const { return m_page->action(QWebEnginePage::Forward)->isEnabled(); }

void WebEngineBrowser::saveAs()
{
    const QString folder = m_page->profile()->downloadPath();
    const QString suggested = QDir(folder).filePath(safeFileName(m_page->title()) + QStringLiteral(".htm"));
    QString filter = FilterComplete;
    const QString path = m_prompts.saveFileName(window(), QStringLiteral("另存为"), suggested,
                                                QStringList{FilterComplete, FilterHtmlOnly, FilterArchive}.join(
                                                    QStringLiteral(";;")),
                                                &filter);
    if (!path.isEmpty())
        m_page->save(path, formatFor(filter, path));
}

void WebEngineBrowser::print()
{
    if (m_printer)
        return; // one print job at a time
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(m_page->title());
    if (!m_prompts.printer(window(), QStringLiteral("打印"), *printer))
        return;
    m_printer = std::move(printer);
    if (printsToPdf(*m_printer)) {
        // Printing through QPrinter would fill the file with page pictures; the
        // engine's own PDF keeps the text and links.
        const QPageRanges ranges =
            m_printer->printRange() == QPrinter::PageRange ? m_printer->pageRanges() : QPageRanges();
        m_page->printToPdf(m_printer->outputFileName(), m_printer->pageLayout(), ranges);
    } else {
        m_view->print(m_printer.get());
    }
}

void WebEngineBrowser::showProperties()
{
    const QString script = QStringLiteral(
        "(function(){var n=performance.getEntriesByType('navigation')[0];"
        "return [document.contentType, document.characterSet, document.lastModified,"
        " n && n.encodedBodySize ? n.encodedBodySize : -1];})()");
    QPointer<WebEngineBrowser> self(this);
    // Our own world still runs when the user has switched page scripts off.
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self](const QVariant &result) {
        if (!self)
            return;
        const QVariantList values = result.toList();
        PageProperties properties;
        properties.title = self->m_page->title();
        properties.address = self->locationURL();
        if (values.size() == 4) {
            properties.type = values.at(0).toString();
            properties.encoding = values.at(1).toString();
            // The page gives its date in local time, in the US order.
            properties.modified = QDateTime::fromString(values.at(2).toString(),
                                                        QStringLiteral("MM/dd/yyyy HH:mm:ss"));
            properties.size = values.at(3).toLongLong();
        }
        auto *dialog = new PagePropertiesDialog(properties, self->window());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
}

void WebEngineBrowser::toggleFullScreen(QWebEngineFullScreenRequest request)
{
    if (request.toggleOn()) {
        if (m_fullScreenView)
            return request.reject();
        m_fullScreenView = std::make_unique<QWebEngineView>();
        auto *exit = new QAction(m_fullScreenView.get());
        exit->setShortcut(Qt::Key_Escape);
        connect(exit, &QAction::triggered, m_page, [this] { m_page->triggerAction(QWebEnginePage::ExitFullScreen); });
        m_fullScreenView->addAction(exit);
        m_fullScreenView->setPage(m_page);
        m_fullScreenView->showFullScreen();
    } else {
        if (!m_fullScreenView)
            return request.reject();
        m_view->setPage(m_page);
        m_fullScreenView->setPage(nullptr);
        m_fullScreenView.reset();
    }
    request.accept();
}
