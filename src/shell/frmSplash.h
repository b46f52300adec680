#pragma once

#include <QImage>
#include <QWidget>

// Shown while the main window loads: the splash picture and nothing else.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    // Any thread may read the picture, so it can be ready before the window is made.
    static QImage readPicture(const QString &programFolder);

    explicit frmSplash(const QImage &picture, QWidget *parent = nullptr);
};
