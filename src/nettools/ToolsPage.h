#pragma once

#include "platform/PanelPage.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
struct SubsystemContext;

// The tools tab of the side panel: the local address, Ping, Netstat and their output.
class ToolsPage : public PanelPage
{
    Q_OBJECT
public:
    static inline const QString Id = QStringLiteral("tools");
    static inline const QString Caption = QStringLiteral("实用工具");

    explicit ToolsPage(const SubsystemContext &context, QWidget *parent = nullptr);

    // The local address is looked up again each time the page is chosen.
    void chosen() override { emit localAddressRefreshRequested(); }

signals:
    void localAddressRefreshRequested();

private:
    QLineEdit *txtLocalIP;
    QPushButton *IPrefresh;
    QLineEdit *txtPINGHOST;
    QPushButton *cmdPING;
    QPushButton *cmdViewLOCALport;
    QPlainTextEdit *txtCommandOUTPUT;
    // The waits of Ping and Netstat, as long as the settings say.
    QTimer *Timer1;
    QTimer *Timer2;
};
