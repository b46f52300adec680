#pragma once

#include <QImage>
#include <QWidget>

// Shown while the main window loads: the splash picture and nothing else.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(const QImage &picture, QWidget *parent = nullptr);
    // Safe to call from any thread, so the picture can be read while other work goes on.
    static QImage picture(const QString &programFolder);
};
