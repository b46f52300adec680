#pragma once

#include "core/KeyStroke.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

// What the program requires of a web-browser control. Document windows and the
// help tab talk only to this; the engine stays behind it.
class BrowserControl : public QWidget
{
    Q_OBJECT
public:
    // Command numbers of execWB, as stored and passed around by the document commands.
    enum Command { SaveAs = 4, Print = 6, Properties = 10, Cut = 11, Copy = 12, Paste = 13 };

    // Makes the control a page that asks for a new window opens in; null drops the request.
    using NewWindowHandler = std::function<BrowserControl *()>;
    // An item of the page's context menu while text is chosen in it: what it says, its
    // objectName, and what it does with the text.
    struct SelectionCommand {
        QString caption;
        QString name;
        std::function<void(const QString &text)> run;
    };

    using QWidget::QWidget;

    void setNewWindowHandler(NewWindowHandler handler) { m_newWindow = std::move(handler); }
    void setSelectionCommands(QList<SelectionCommand> commands) { m_selectionCommands = std::move(commands); }

    virtual void navigate(const QString &address) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void goHome() = 0;
    virtual void refresh() = 0;
    virtual void stop() = 0;
    // Runs one of the six commands; the control shows its own dialog where the command has one.
    virtual void execWB(Command command) = 0;
    virtual QString locationURL() const = 0;
    virtual QString locationName() const = 0;
    virtual void takeFocus() = 0;
    // Find in page: the control's own find bar.
    virtual void showFind() = 0;
    virtual void setZoom(qreal factor) = 0;
    virtual qreal zoom() const = 0;
    // Whether back, forward and stop can act now; CommandStateChange says when that changes.
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    virtual bool isLoading() const = 0;
    // Whether the last load showed its page rather than an error.
    virtual bool lastLoadSucceeded() const { return true; }
    // Types into the element that has the focus in the page, in order, after the
    // control has taken the keyboard focus. Returns at once: the typing goes on from
    // the event loop, and a call made meanwhile types after it. A call types nothing
    // when the page cannot take the focus.
    virtual void sendKeys(const QList<KeyStroke> &strokes) = 0;
    // Lets the site whose window PopupBlocked() told of open windows on its own, for the run.
    virtual void allowPopups() = 0;

signals:
    void StatusTextChange(const QString &text);
    void ProgressChange(int progress, int progressMax);
    void DownloadBegin();
    void DownloadComplete();
    void TitleChange(const QString &title);
    void DocumentComplete(const QString &address);
    void CommandStateChange();
    // The last stroke of a sendKeys call has reached the page, or was dropped.
    void keysSent();
    // The page opened a window without the user's asking; none was opened.
    void PopupBlocked();

protected:
    // The control for a page that asked for a new window, from the handler; null without one.
    BrowserControl *NewWindow2() const { return m_newWindow ? m_newWindow() : nullptr; }
    const QList<SelectionCommand> &selectionCommands() const { return m_selectionCommands; }

private:
    NewWindowHandler m_newWindow;
    QList<SelectionCommand> m_selectionCommands;
};
