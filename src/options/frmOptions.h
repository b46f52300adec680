#pragma once

#include <QDialog>

class OptionsSection;
class Prompts;
class QPushButton;
class QTabWidget;
class Room;
class RunningSettings;

// "选项": the rooms' sections, one tab for each caption they name, in the order
// given. Nothing but what a section saves as it changes is stored before "应用" or "确定".
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    frmOptions(const QList<Room *> &rooms, RunningSettings &settings, Prompts &prompts, QWidget *parent = nullptr);

    // False when a setting could not be stored; the user has been told.
    bool cmdApply_Click();
    void cmdOK_Click();

private:
    void buildTabs();
    void buildButtons();
    void switchTab(int step);
    bool refused();

    QList<OptionsSection *> m_sections;
    RunningSettings &m_settings;
    Prompts &m_prompts;
    QTabWidget *tbsOptions;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QPushButton *cmdApply;
};
