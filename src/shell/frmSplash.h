#pragma once

#include <QWidget>

// Shown while the main window loads: the splash picture and nothing else.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(const QString &programFolder, QWidget *parent = nullptr);
};
