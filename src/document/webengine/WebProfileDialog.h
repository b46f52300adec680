#pragma once

#include <QDialog>

class Prompts;
class QCheckBox;
class QLabel;
class QLineEdit;
class QWebEngineProfile;

// Options of the web profile: clear cache, cookies and history; scripts; images; download folder.
class WebProfileDialog : public QDialog
{
    Q_OBJECT
public:
    WebProfileDialog(QWebEngineProfile *profile, Prompts &prompts, QWidget *parent = nullptr);

    void clearCache();
    void clearCookies();
    void clearHistory();
    void apply();

private:
    QWidget *buildPrivacy();
    QWidget *buildContent();
    void chooseFolder();

    QWebEngineProfile *m_profile;
    Prompts &m_prompts;
    QCheckBox *m_javaScript;
    QCheckBox *m_images;
    QLineEdit *m_downloadFolder;
    QLabel *m_done;
};
