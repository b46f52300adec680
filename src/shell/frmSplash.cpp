#include "frmSplash.h"

#include "platform/Images.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

QImage frmSplash::readPicture(const QString &programFolder)
{
    // A ready picture, and one stored as it shows: drawing vector art, or even unpacking
    // a PNG, took a few milliseconds of the start.
    return Images::readAs(programFolder + QStringLiteral("/images/splash.bmp"), "bmp");
}

frmSplash::frmSplash(const QImage &picture, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(450, 198);
    auto *label = new QLabel(this);
    label->setPixmap(QPixmap::fromImage(picture));
    label->setGeometry(0, 0, 450, 200);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
