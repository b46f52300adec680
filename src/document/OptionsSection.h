#pragma once

#include <QString>
#include <QWidget>

class RunningSettings;

// A room's part of the options dialog: its fields, shown as the settings hold them
// when the dialog opens, and stored by 应用 and 确定.
class OptionsSection : public QWidget
{
    Q_OBJECT
public:
    // Sections with one tab caption share that tab, in the order the rooms give them.
    explicit OptionsSection(const QString &tab, QWidget *parent = nullptr) : QWidget(parent), m_tab(tab) {}

    QString tab() const { return m_tab; }
    // What keeps the fields from being stored, told to the user, and the field to put right.
    struct Refusal {
        QString text; // empty when nothing does
        QWidget *field = nullptr;
    };
    virtual Refusal refusal() const { return {}; }
    // Sets what the fields hold; the dialog writes every section's sets in one go.
    virtual void apply(RunningSettings &settings, QString *error) = 0;

private:
    QString m_tab;
};

// A section whose every change is saved as it is made (a list edited row by row):
// 应用 and 确定 have nothing left to store.
class SavedAsChangedSection : public OptionsSection
{
    Q_OBJECT
public:
    using OptionsSection::OptionsSection;
    void apply(RunningSettings &, QString *) final {}
};
