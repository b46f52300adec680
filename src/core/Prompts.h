#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// Every modal question the program asks goes through here, so that tests can
// answer without a nested event loop.
class Prompts
{
public:
    enum Icon { NoIcon, Information, Warning, Critical, Question };
    enum Button { NoButton = 0, Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };
    Q_DECLARE_FLAGS(Buttons, Button)

    virtual ~Prompts() = default;

    virtual Button message(QWidget *owner, const QString &text, const QString &title, Icon icon = NoIcon,
                           Buttons buttons = Ok) = 0;
    // Shows a message without waiting for it to be closed.
    virtual void notify(QWidget *owner, const QString &text, const QString &title, Icon icon = NoIcon) = 0;
    // Returns false on cancel.
    virtual bool inputText(QWidget *owner, const QString &prompt, const QString &title, QString &text) = 0;
    // One of items, by its place in the list; -1 on cancel.
    virtual int choose(QWidget *owner, const QString &prompt, const QString &title, const QStringList &items) = 0;
    // The empty text on cancel. The dialog starts in start when it is given.
    virtual QString openFileName(QWidget *owner, const QString &title, const QString &filter,
                                 const QString &start = QString()) = 0;
    // selectedFilter, when given, brings the chosen filter back.
    virtual QString saveFileName(QWidget *owner, const QString &title, const QString &suggested,
                                 const QString &filter = QString(), QString *selectedFilter = nullptr) = 0;
    virtual QString folder(QWidget *owner, const QString &title, const QString &start) = 0;
    // Asks for a user name and password; false on cancel.
    virtual bool credentials(QWidget *owner, const QString &text, QString &user, QString &password) = 0;
    // Asks for a password. remember is the "记住密码" box, unticked at first; a non-empty
    // keepNote greys it out and says why as its tooltip. False on cancel.
    virtual bool password(QWidget *owner, const QString &text, QString &password, bool &remember,
                          const QString &keepNote) = 0;
    // The system print dialog on printer; false on cancel.
    virtual bool printer(QWidget *owner, const QString &title, QPrinter &printer) = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Prompts::Buttons)
