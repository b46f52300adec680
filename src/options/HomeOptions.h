#pragma once

#include "document/OptionsSection.h"
#include "document/AppContext.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

// The home page of the options dialog, whether new windows go there, and the
// desktop launcher.
class HomeOptions : public OptionsSection
{
    Q_OBJECT
public:
    explicit HomeOptions(const AppContext &context, QWidget *parent = nullptr);

    void apply(RunningSettings &settings, QString *error) override;
    void cmdIEhomepage_Click();
    void cmdBlackHomepage_Click();
    void cmdCreateLNK_Click();

private:
    AppContext m_context;
    QLineEdit *txtHomepage;
    QCheckBox *chkNWindowWithHome;
    QPushButton *cmdIEhomepage;
    QPushButton *cmdBlackHomepage;
    QPushButton *cmdCreateLNK;
};
