#pragma once

#include <QDialog>

class AutotextStore;
class Prompts;
class QLabel;
class QPlainTextEdit;

// The editor of one slot: a box that shows a whole snippet of 254 bytes, how many
// of them the text takes as it is typed, and the checks of a save. It closes only
// once the text is stored, so nothing typed is lost to a refusal or a failed write.
class AutotextEditor : public QDialog
{
    Q_OBJECT
public:
    AutotextEditor(AutotextStore &store, int slot, const QString &text, Prompts &prompts, QWidget *parent);

    // What the page says of a snippet whose key notation has a mistake.
    static QString mistake(const QString &error);

    void accept() override;

private:
    bool confirmed(const QString &text);
    void showBytes();
    void cursorToEnd();

    AutotextStore &m_store;
    int m_slot;
    Prompts &m_prompts;
    QPlainTextEdit *txtSnippet;
    QLabel *lblBytes;
};
