#pragma once

#include "app/Prompts.h"

#include <QList>
#include <QStringList>

// Answers prompts from queues and records what was asked.
class ScriptedPrompts : public Prompts
{
public:
    struct Message {
        QString text, title;
        QMessageBox::Icon icon;
    };
    QList<Message> messages;
    QList<QMessageBox::StandardButton> buttonAnswers; // default: Ok / Yes
    QStringList textAnswers;                          // a null QString means cancel
    QStringList fileAnswers;                          // open, save and folder answers in order
    QStringList asked;                                // titles of input and file prompts

    QMessageBox::StandardButton message(QWidget *, const QString &text, const QString &title,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override
    {
        messages.append({text, title, icon});
        if (!buttonAnswers.isEmpty())
            return buttonAnswers.takeFirst();
        return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    bool inputText(QWidget *, const QString &, const QString &title, QString &text) override
    {
        asked.append(title);
        if (textAnswers.isEmpty() || textAnswers.first().isNull()) {
            if (!textAnswers.isEmpty())
                textAnswers.removeFirst();
            return false;
        }
        text = textAnswers.takeFirst();
        return true;
    }
    QString openFileName(QWidget *, const QString &title, const QString &) override { return nextFile(title); }
    QString saveFileName(QWidget *, const QString &title, const QString &, const QString &) override
    {
        return nextFile(title);
    }
    QString folder(QWidget *, const QString &title, const QString &) override { return nextFile(title); }

private:
    QString nextFile(const QString &title)
    {
        asked.append(title);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
};
