#pragma once

#include "platform/PanelPage.h"

class CommandRunner;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct AppContext;

// The tools tab of the side panel: the local address, Ping, Netstat and their output.
class ToolsPage : public PanelPage
{
    Q_OBJECT
public:
    static inline const QString Id = QStringLiteral("tools");
    static inline const QString Caption = QStringLiteral("实用工具");

    explicit ToolsPage(const AppContext &context, QWidget *parent = nullptr);

    // The local address is looked up again each time the page is chosen.
    void chosen() override { IPrefresh_Click(); }
    void IPrefresh_Click();

private:
    void append(const QString &text);

    QLineEdit *txtLocalIP;
    QPushButton *IPrefresh;
    QLineEdit *txtPINGHOST;
    QPushButton *cmdPING;
    QPushButton *cmdViewLOCALport;
    QPlainTextEdit *txtCommandOUTPUT;
    bool m_atEnd = true; // the output area shows its last line
    // Their timers are Timer1 and Timer2.
    CommandRunner *m_ping;
    CommandRunner *m_netstat;
};
