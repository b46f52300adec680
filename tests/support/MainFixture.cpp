#include "MainFixture.h"

#include "MainWindow.h"

MainFixture::MainFixture() : main(app.context) {}

QByteArray MainFixture::titled(const QByteArray &title, const QByteArray &body)
{
    return "<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" + body + "</body></html>";
}

QByteArray MainFixture::readyForKeys()
{
    return "<script>const ready = () => requestAnimationFrame(() => requestAnimationFrame(() => document.title = 'ready'));"
           "document.hasFocus() ? ready() : addEventListener('focus', ready);</script>";
}

frmDocument *MainFixture::open(const QString &address, const QString &title)
{
    return openDocument(main, address, title);
}

frmDocument *MainFixture::openPage(const QString &title, const QByteArray &body)
{
    return open(app.writeFile(title + QStringLiteral(".htm"), titled(title.toUtf8(), body)), title);
}
