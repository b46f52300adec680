#pragma once

#include "app/Prompts.h"

#include <QList>
#include <QPrinter>
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
    QStringList filterAnswers;                        // chosen save filters
    QStringList credentialAnswers;                    // user, password pairs
    QStringList asked;                                // titles of input and file prompts
    QStringList suggested;                            // the paths save dialogs started with

    QMessageBox::StandardButton message(QWidget *, const QString &text, const QString &title,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override
    {
        messages.append({text, title, icon});
        if (!buttonAnswers.isEmpty())
            return buttonAnswers.takeFirst();
        return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    void notify(QWidget *, const QString &text, const QString &title) override
    {
        messages.append({text, title, QMessageBox::NoIcon});
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
    QString saveFileName(QWidget *, const QString &title, const QString &start, const QString &,
                         QString *selectedFilter) override
    {
        suggested.append(start);
        if (selectedFilter && !filterAnswers.isEmpty())
            *selectedFilter = filterAnswers.takeFirst();
        return nextFile(title);
    }
    bool credentials(QWidget *, const QString &text, QString &user, QString &password) override
    {
        asked.append(text);
        if (credentialAnswers.isEmpty())
            return false;
        user = credentialAnswers.takeFirst();
        password = credentialAnswers.takeFirst();
        return true;
    }
    // Prints into the PDF file named by the next file answer; cancels when there is none.
    bool printer(QWidget *, const QString &title, QPrinter &printer) override
    {
        const QString pdf = nextFile(title);
        if (pdf.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
    QString folder(QWidget *, const QString &title, const QString &) override { return nextFile(title); }

private:
    QString nextFile(const QString &title)
    {
        asked.append(title);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
};
