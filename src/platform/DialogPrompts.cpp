#include "DialogPrompts.h"

#include "CredentialsDialog.h"
#include "PasswordDialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

namespace {

QMessageBox::Icon boxIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Information: return QMessageBox::Information;
    case Prompts::Warning: return QMessageBox::Warning;
    case Prompts::Critical: return QMessageBox::Critical;
    case Prompts::Question: return QMessageBox::Question;
    case Prompts::NoIcon: break;
    }
    return QMessageBox::NoIcon;
}

constexpr std::pair<Prompts::Button, QMessageBox::StandardButton> ButtonPairs[] = {
    {Prompts::Ok, QMessageBox::Ok},
    {Prompts::Yes, QMessageBox::Yes},
    {Prompts::No, QMessageBox::No},
    {Prompts::Cancel, QMessageBox::Cancel},
};

// Qt sizes a box to its text, leaving the title 50 pixels beside it; the window's title
// bar also holds an icon and three buttons, and a short text cut "Error" to "E…r".
// Room for the title beside six squares of a line's height holds them all. Title bars
// write it bold: Chinese characters keep their width in bold, Latin letters grow by at
// most a tenth, and measuring the bold face itself would load a second font at start-up.
void fitTitle(QMessageBox &box)
{
    const QFontMetrics metrics(box.font());
    const int wanted = metrics.horizontalAdvance(box.windowTitle()) * 11 / 10 + 6 * metrics.height();
    const QScreen *screen = box.screen();
    const int width = screen ? qMin(wanted, screen->availableGeometry().width() * 9 / 10) : wanted;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0), grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

Prompts::Button DialogPrompts::message(QWidget *owner, const QString &text, const QString &title, Icon icon,
                                       Buttons buttons)
{
    QMessageBox::StandardButtons shown;
    for (const auto &[ours, theirs] : ButtonPairs)
        if (buttons.testFlag(ours))
            shown |= theirs;
    QMessageBox box(boxIcon(icon), title, text, shown, owner);
    fitTitle(box);
    const int answer = box.exec();
    for (const auto &[ours, theirs] : ButtonPairs)
        if (answer == theirs)
            return ours;
    return NoButton;
}

void DialogPrompts::notify(QWidget *owner, const QString &text, const QString &title, Icon icon)
{
    auto *box = new QMessageBox(boxIcon(icon), title, text, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    fitTitle(*box);
    box->open();
}

bool DialogPrompts::inputText(QWidget *owner, const QString &prompt, const QString &title, QString &text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, text, &ok);
    if (ok)
        text = answer;
    return ok;
}

int DialogPrompts::choose(QWidget *owner, const QString &prompt, const QString &title, const QStringList &items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(owner, title, prompt, items, 0, false, &ok);
    return ok ? int(items.indexOf(chosen)) : -1;
}

QString DialogPrompts::openFileName(QWidget *owner, const QString &title, const QString &filter, const QString &start)
{
    return QFileDialog::getOpenFileName(owner, title, start, filter);
}

QString DialogPrompts::saveFileName(QWidget *owner, const QString &title, const QString &suggested,
                                    const QString &filter, QString *selectedFilter)
{
    return QFileDialog::getSaveFileName(owner, title, suggested, filter, selectedFilter);
}

QString DialogPrompts::folder(QWidget *owner, const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
}

bool DialogPrompts::credentials(QWidget *owner, const QString &text, QString &user, QString &password)
{
    CredentialsDialog dialog(text, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    user = dialog.user();
    password = dialog.password();
    return true;
}

bool DialogPrompts::password(QWidget *owner, const QString &text, QString &password, bool &remember,
                             const QString &keepNote)
{
    PasswordDialog dialog(text, keepNote, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    password = dialog.password();
    remember = dialog.remember();
    return true;
}

bool DialogPrompts::printer(QWidget *owner, const QString &title, QPrinter &printer)
{
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}
