#include "frmSplash.h"

#include "platform/Images.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

frmSplash::frmSplash(const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(450, 198);
    auto *picture = new QLabel(this);
    picture->setPixmap(Images::pixmap(programFolder, QStringLiteral("splash"), QSize(450, 200)));
    picture->setGeometry(0, 0, 450, 200);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
