#include "Prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "CredentialsDialog.h"

QMessageBox::StandardButton DialogPrompts::message(QWidget *owner, const QString &text, const QString &title,
                                                   QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void DialogPrompts::notify(QWidget *owner, const QString &text, const QString &title)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
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

QString DialogPrompts::openFileName(QWidget *owner, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(owner, title, QString(), filter);
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

bool DialogPrompts::printer(QWidget *owner, const QString &title, QPrinter &printer)
{
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}
