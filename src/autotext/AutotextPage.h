#pragma once

#include "platform/PanelPage.h"

class QListWidget;
class QPushButton;

// The auto-text tab of the side panel: two buttons over the list of snippets.
class AutotextPage : public PanelPage
{
    Q_OBJECT
public:
    explicit AutotextPage(QWidget *parent = nullptr);

private:
    QPushButton *cmdEDITAUTOtxt;
    QPushButton *cmdSendSELECTEDITEM;
    QListWidget *lstAutotxt;
};
