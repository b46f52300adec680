#pragma once

#include "document/OptionsSection.h"

class Prompts;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RunningSettings;

// The bookmarks of the options dialog: the favourites folder and what a click on a bookmark does.
class BookmarkOptions : public OptionsSection
{
    Q_OBJECT
public:
    BookmarkOptions(const RunningSettings &settings, Prompts &prompts, QWidget *parent = nullptr);

    void apply(RunningSettings &settings, QString *error) override;
    void cmdChageBookmarkpath_Click();

private:
    Prompts &m_prompts;
    QLineEdit *txtFavorites;
    QPushButton *cmdChageBookmarkpath;
    QRadioButton *optBK1;
    QRadioButton *optBK2;
};
