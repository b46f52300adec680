#pragma once

#include "core/Prompts.h"

// The real dialogs behind the prompts.
class DialogPrompts : public Prompts
{
public:
    Button message(QWidget *owner, const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    void notify(QWidget *owner, const QString &text, const QString &title, Icon icon = NoIcon) override;
    bool inputText(QWidget *owner, const QString &prompt, const QString &title, QString &text) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &filter,
                         const QString &start = QString()) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &suggested, const QString &filter,
                         QString *selectedFilter) override;
    QString folder(QWidget *owner, const QString &title, const QString &start) override;
    int choose(QWidget *owner, const QString &prompt, const QString &title, const QStringList &items) override;
    bool credentials(QWidget *owner, const QString &text, QString &user, QString &password) override;
    bool password(QWidget *owner, const QString &text, QString &password, bool &remember,
                  const QString &keepNote) override;
    bool printer(QWidget *owner, const QString &title, QPrinter &printer) override;
};
