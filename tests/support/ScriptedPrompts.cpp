#include "ScriptedPrompts.h"

#include <QPrinter>
#include <QTest>

#include <tuple>

namespace {

void unexpected(const QString &what)
{
    QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + what), __FILE__, __LINE__);
}

// What a user who had no answer would do: back out.
Prompts::Button refusal(Prompts::Buttons buttons)
{
    for (Prompts::Button b : {Prompts::Cancel, Prompts::No, Prompts::Ok})
        if (buttons.testFlag(b))
            return b;
    return Prompts::NoButton;
}

} // namespace

ScriptedPrompts::~ScriptedPrompts()
{
    for (const Expected &e : m_messages)
        QTest::qFail(qPrintable(QStringLiteral("a message never came: ") + e.match), __FILE__, __LINE__);
    if (!m_files.isEmpty() || !m_texts.isEmpty() || !m_logins.isEmpty() || !m_choices.isEmpty() || !m_passwords.isEmpty())
        QTest::qFail("an answer was never asked for", __FILE__, __LINE__);
}

void ScriptedPrompts::expectMessage(const QString &match, Button answer) { m_messages.append({match, answer}); }
void ScriptedPrompts::answerFile(const QString &path, const QString &filter) { m_files.append({path, filter, {}}); }
void ScriptedPrompts::answerPrinter(const QString &path, std::function<void(QPrinter &)> choose)
{
    m_files.append({path, QString(), std::move(choose)});
}
void ScriptedPrompts::answerText(const QString &text) { m_texts.append(text); }
void ScriptedPrompts::answerChoice(int index) { m_choices.append(index); }

int ScriptedPrompts::choose(QWidget *, const QString &, const QString &title, const QStringList &items)
{
    asked.append(title);
    offered.append(items);
    if (m_choices.isEmpty()) {
        unexpected(title);
        return -1;
    }
    return m_choices.takeFirst();
}
void ScriptedPrompts::answerCredentials(std::optional<std::pair<QString, QString>> login) { m_logins.append(login); }

Prompts::Button ScriptedPrompts::message(QWidget *, const QString &text, const QString &title, Icon icon,
                                         Buttons buttons)
{
    messages.append({text, title, icon});
    if (m_messages.isEmpty() || !(text.contains(m_messages.first().match) || title == m_messages.first().match)) {
        unexpected(title + QStringLiteral(": ") + text);
        return refusal(buttons);
    }
    return m_messages.takeFirst().answer;
}

void ScriptedPrompts::notify(QWidget *, const QString &text, const QString &title, Icon icon)
{
    messages.append({text, title, icon});
}

bool ScriptedPrompts::inputText(QWidget *, const QString &, const QString &title, QString &text)
{
    asked.append(title);
    defaults.append(text);
    if (m_texts.isEmpty()) {
        unexpected(title);
        return false;
    }
    const QString answer = m_texts.takeFirst();
    if (answer.isNull())
        return false;
    text = answer;
    return true;
}

std::optional<ScriptedPrompts::FileAnswer> ScriptedPrompts::nextFile(const QString &title)
{
    asked.append(title);
    if (m_files.isEmpty()) {
        unexpected(title);
        return std::nullopt;
    }
    return m_files.takeFirst();
}

QString ScriptedPrompts::openFileName(QWidget *, const QString &title, const QString &, const QString &start)
{
    suggested.append(start);
    const auto answer = nextFile(title);
    return answer ? answer->path : QString();
}

QString ScriptedPrompts::saveFileName(QWidget *, const QString &title, const QString &start, const QString &,
                                      QString *selectedFilter)
{
    suggested.append(start);
    const auto answer = nextFile(title);
    if (answer && selectedFilter && !answer->filter.isEmpty())
        *selectedFilter = answer->filter;
    return answer ? answer->path : QString();
}

QString ScriptedPrompts::folder(QWidget *, const QString &title, const QString &)
{
    const auto answer = nextFile(title);
    return answer ? answer->path : QString();
}

bool ScriptedPrompts::credentials(QWidget *, const QString &text, QString &user, QString &password)
{
    asked.append(text);
    if (m_logins.isEmpty()) {
        unexpected(text);
        return false;
    }
    const auto login = m_logins.takeFirst();
    if (!login)
        return false;
    user = login->first;
    password = login->second;
    return true;
}

void ScriptedPrompts::answerPassword(const QString &password, bool remember)
{
    m_passwords.append({password, remember});
}

bool ScriptedPrompts::password(QWidget *, const QString &text, QString &password, bool &remember,
                               const QString &keepNote)
{
    asked.append(text);
    keepNotes.append(keepNote);
    if (m_passwords.isEmpty()) {
        unexpected(text);
        return false;
    }
    std::tie(password, remember) = m_passwords.takeFirst();
    remember = remember && keepNote.isEmpty(); // a greyed box cannot be ticked
    return !password.isNull();
}

bool ScriptedPrompts::printer(QWidget *, const QString &title, QPrinter &printer)
{
    const auto answer = nextFile(title);
    if (!answer || answer->path.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer->path);
    if (answer->choose)
        answer->choose(printer);
    return true;
}
