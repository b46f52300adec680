#pragma once

#include "core/Prompts.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

// Answers prompts from what the test said to expect, and records what was asked.
// A question the test did not expect fails the test, and so does an expected
// answer that no question took by the time the prompts go away.
class ScriptedPrompts : public Prompts
{
public:
    struct Message {
        QString text, title;
        Icon icon;
    };
    QList<Message> messages; // every message and notification, in order
    QStringList asked;       // titles of input, file and printer prompts, texts of login prompts
    QStringList suggested;   // the paths save and open dialogs started with
    QStringList defaults;    // the text each input box started with

    ~ScriptedPrompts() override;

    // The next message box must have match in its text (or as its title); it is answered with answer.
    void expectMessage(const QString &match, Button answer = Ok);
    // The next file, folder or printer prompt gets path (the empty text cancels; a
    // printer prints into the PDF file path), and optionally the chosen filter.
    void answerFile(const QString &path, const QString &filter = QString());
    // The next printer prompt prints into the PDF file path, with what choose sets
    // on the printer as a user would in the dialog (pages, orientation...).
    void answerPrinter(const QString &path, std::function<void(QPrinter &)> choose);
    // The next input box gets text; a null text cancels it.
    void answerText(const QString &text);
    // The next list to choose from gets the item at index; -1 cancels it. offered
    // then holds the items of each list shown.
    void answerChoice(int index);
    QList<QStringList> offered;
    // The next login prompt gets user and password; nullopt cancels it.
    void answerCredentials(std::optional<std::pair<QString, QString>> login);
    // The next password question gets password, with "记住密码" ticked when remember
    // is; a null password cancels it. keepNotes then holds each question's greyed-box note.
    void answerPassword(const QString &password, bool remember = false);
    QStringList keepNotes;

    Button message(QWidget *, const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    void notify(QWidget *, const QString &text, const QString &title, Icon icon = NoIcon) override;
    bool inputText(QWidget *, const QString &, const QString &title, QString &text) override;
    int choose(QWidget *, const QString &, const QString &title, const QStringList &items) override;
    QString openFileName(QWidget *, const QString &title, const QString &, const QString &start = QString()) override;
    QString saveFileName(QWidget *, const QString &title, const QString &start, const QString &,
                         QString *selectedFilter) override;
    QString folder(QWidget *, const QString &title, const QString &) override;
    bool credentials(QWidget *, const QString &text, QString &user, QString &password) override;
    bool password(QWidget *, const QString &text, QString &password, bool &remember, const QString &keepNote) override;
    bool printer(QWidget *, const QString &title, QPrinter &printer) override;

private:
    struct Expected {
        QString match;
        Button answer;
    };
    struct FileAnswer {
        QString path, filter;
        std::function<void(QPrinter &)> choose; // printer prompts only
    };
    std::optional<FileAnswer> nextFile(const QString &title);

    QList<Expected> m_messages;
    QList<FileAnswer> m_files;
    QStringList m_texts;
    QList<int> m_choices;
    QList<std::optional<std::pair<QString, QString>>> m_logins;
    QList<std::pair<QString, bool>> m_passwords;
};
