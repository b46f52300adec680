#pragma once

class BrowserControl;
class QWidget;

// Makes browser controls, so windows can be built with the real engine or a stand-in.
class BrowserFactory
{
public:
    virtual ~BrowserFactory() = default;
    virtual BrowserControl *createBrowser(QWidget *parent) = 0;
};
