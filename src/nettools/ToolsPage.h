#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The tools tab of the side panel: the local address, Ping, Netstat and their output.
class ToolsPage : public QWidget
{
    Q_OBJECT
public:
    explicit ToolsPage(QWidget *parent = nullptr);

signals:
    void localAddressRefreshRequested();

private:
    QLineEdit *txtLocalIP;
    QPushButton *IPrefresh;
    QLineEdit *txtPINGHOST;
    QPushButton *cmdPING;
    QPushButton *cmdViewLOCALport;
    QPlainTextEdit *txtCommandOUTPUT;
};
