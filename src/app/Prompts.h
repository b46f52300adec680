#pragma once

#include <QMessageBox>
#include <QString>

class QPrinter;
class QWidget;

// Every modal question the program asks goes through here, so that tests can
// answer without a nested event loop.
class Prompts
{
public:
    virtual ~Prompts() = default;

    virtual QMessageBox::StandardButton message(QWidget *owner, const QString &text, const QString &title,
                                                QMessageBox::Icon icon = QMessageBox::NoIcon,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;
    // Shows a message without waiting for it to be closed.
    virtual void notify(QWidget *owner, const QString &text, const QString &title) = 0;
    // Returns false on cancel.
    virtual bool inputText(QWidget *owner, const QString &prompt, const QString &title, QString &text) = 0;
    // The empty text on cancel.
    virtual QString openFileName(QWidget *owner, const QString &title, const QString &filter) = 0;
    // selectedFilter, when given, brings the chosen filter back.
    virtual QString saveFileName(QWidget *owner, const QString &title, const QString &suggested,
                                 const QString &filter = QString(), QString *selectedFilter = nullptr) = 0;
    virtual QString folder(QWidget *owner, const QString &title, const QString &start) = 0;
    // Asks for a user name and password; false on cancel.
    virtual bool credentials(QWidget *owner, const QString &text, QString &user, QString &password) = 0;
    // The system print dialog on printer; false on cancel.
    virtual bool printer(QWidget *owner, const QString &title, QPrinter &printer) = 0;
};

// The real dialogs.
class DialogPrompts : public Prompts
{
public:
    QMessageBox::StandardButton message(QWidget *owner, const QString &text, const QString &title,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
    void notify(QWidget *owner, const QString &text, const QString &title) override;
    bool inputText(QWidget *owner, const QString &prompt, const QString &title, QString &text) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &suggested,
                         const QString &filter, QString *selectedFilter) override;
    QString folder(QWidget *owner, const QString &title, const QString &start) override;
    bool credentials(QWidget *owner, const QString &text, QString &user, QString &password) override;
    bool printer(QWidget *owner, const QString &title, QPrinter &printer) override;
};
