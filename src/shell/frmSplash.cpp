#include "frmSplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

frmSplash::frmSplash(const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(450, 198);
    auto *picture = new QLabel(this);
    // A ready picture: drawing vector art here would hold up the start.
    picture->setPixmap(QPixmap(programFolder + QStringLiteral("/images/splash.png")));
    picture->setGeometry(0, 0, 450, 200);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
