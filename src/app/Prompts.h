#pragma once

#include <QMessageBox>
#include <QString>

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
    // Returns false on cancel.
    virtual bool inputText(QWidget *owner, const QString &prompt, const QString &title, QString &text) = 0;
    // The empty text on cancel.
    virtual QString openFileName(QWidget *owner, const QString &title, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *owner, const QString &title, const QString &suggested,
                                 const QString &filter = QString()) = 0;
    virtual QString folder(QWidget *owner, const QString &title, const QString &start) = 0;
};

// The real dialogs.
class DialogPrompts : public Prompts
{
public:
    QMessageBox::StandardButton message(QWidget *owner, const QString &text, const QString &title,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
    bool inputText(QWidget *owner, const QString &prompt, const QString &title, QString &text) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &filter) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &suggested,
                         const QString &filter) override;
    QString folder(QWidget *owner, const QString &title, const QString &start) override;
};
