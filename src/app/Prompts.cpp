#include "Prompts.h"

#include <QFileDialog>
#include <QInputDialog>

QMessageBox::StandardButton DialogPrompts::message(QWidget *owner, const QString &text, const QString &title,
                                                   QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
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
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(owner, title, suggested, filter);
}

QString DialogPrompts::folder(QWidget *owner, const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
}
