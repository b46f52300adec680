#pragma once

#include <QDialog>

class Prompts;
class QCheckBox;
class RunningSettings;
class WebEngineEnvironment;
class QLabel;
class QLineEdit;

// Options of the web profile: clear cache, cookies and history; scripts; images; download folder.
// The pictures box is the View menu's switch; the rest are kept in the settings.
class WebProfileDialog : public QDialog
{
    Q_OBJECT
public:
    WebProfileDialog(WebEngineEnvironment &web, Prompts &prompts, RunningSettings &settings, QWidget *parent = nullptr);

    void clearCache();
    void clearCookies();
    void clearHistory();
    // False, and said, when the settings could not be saved; nothing then changes.
    bool apply();

private:
    QWidget *buildPrivacy();
    QWidget *buildContent();
    void chooseFolder();

    WebEngineEnvironment &m_web;
    Prompts &m_prompts;
    RunningSettings &m_settings;
    QCheckBox *m_javaScript;
    QCheckBox *m_images;
    QLineEdit *m_downloadFolder;
    QLabel *m_done;
};
