#include "ResultsSite.h"

#include <QTcpSocket>

namespace {

// Deterministic filler, so every run and both programs get the very same bytes.
QString snippet(int engine, int result)
{
    static const QStringList words = {
        QStringLiteral("通信"), QStringLiteral("公司"), QStringLiteral("网络"), QStringLiteral("服务"),
        QStringLiteral("multinational"), QStringLiteral("telecommunications"), QStringLiteral("holding"),
        QStringLiteral("中文"), QStringLiteral("资料"), QStringLiteral("历史"), QStringLiteral("wireless"),
        QStringLiteral("broadband"), QStringLiteral("用户"), QStringLiteral("市场"), QStringLiteral("report")};
    QString text;
    unsigned state = unsigned(engine * 7919 + result * 104729);
    for (int i = 0; i < 28; ++i) {
        state = state * 1103515245u + 12345u;
        text += words[int((state >> 16) % unsigned(words.size()))];
        text += QLatin1Char(' ');
    }
    return text.trimmed();
}

QByteArray makePage(int engine)
{
    QString html;
    html += QStringLiteral("<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
                           "<title>%1</title>\n<style>\n"
                           "body{font-family:sans-serif;margin:0 2em;color:#222}\n"
                           "header{border-bottom:1px solid #ddd;padding:.5em 0}\n"
                           "ol{list-style:none;padding:0}li.r{margin:1em 0;max-width:40em}\n"
                           "li.r h3{font-size:1.1em;margin:0}li.r cite{color:#060;font-style:normal}\n"
                           "li.r p{margin:.2em 0;line-height:1.4}footer{color:#777;font-size:.9em}\n"
                           "</style></head>\n<body>\n")
                .arg(ResultsSite::pageTitle(engine));
    html += QStringLiteral("<header><b>引擎 %1</b> <form action=\"/e%1\"><input name=\"q\" value=\"AT&amp;T 中文\">"
                           "<button>搜索</button></form></header>\n"
                           "<p>找到约 1,230,000 条结果（用时 0.21 秒）</p>\n<ol>\n")
                .arg(engine);
    for (int r = 1; r <= 50; ++r) {
        const QString host = QStringLiteral("www.site%1-%2.example.cn").arg(engine).arg(r);
        html += QStringLiteral("<li class=\"r\"><h3><a href=\"http://%1/page/%2.html\">AT&amp;T 中文资料 第 %2 条"
                               " - 结果 %3</a></h3>\n<cite>%1/page/%2.html</cite>\n<p>%4</p></li>\n")
                    .arg(host)
                    .arg(r)
                    .arg(engine * 100 + r)
                    .arg(snippet(engine, r));
    }
    html += QStringLiteral("</ol>\n<nav>");
    for (int p = 1; p <= 10; ++p)
        html += QStringLiteral("<a href=\"/e%1?q=AT%26T&amp;page=%2\">%2</a> ").arg(engine).arg(p);
    html += QStringLiteral("</nav>\n<footer>本页由基准测试生成。</footer>\n</body></html>\n");
    return html.toUtf8();
}

} // namespace

ResultsSite::ResultsSite(int engines, QObject *parent) : QTcpServer(parent)
{
    for (int i = 1; i <= engines; ++i)
        m_pages.append(makePage(i));
    listen(QHostAddress::LocalHost);
    m_clock.start();
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString ResultsSite::engineAddress(int number) const
{
    return QStringLiteral("http://127.0.0.1:%1/e%2").arg(serverPort()).arg(number);
}

QString ResultsSite::pageTitle(int number)
{
    return QStringLiteral("AT&T 中文 - 引擎 %1 搜索结果").arg(number);
}

void ResultsSite::startClock()
{
    m_targets.clear();
    m_lastServedMs = -1;
    m_clock.start();
}

void ResultsSite::serve(QTcpSocket *socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("buffer", buffer);
        return;
    }
    socket->setProperty("buffer", QByteArray());
    const QList<QByteArray> first = buffer.left(buffer.indexOf("\r\n")).split(' ');
    const QByteArray target = first.value(1);
    const QByteArray path = target.split('?').first();

    QByteArray body;
    QByteArray status = "404 Not Found";
    int number = 0;
    if (path.startsWith("/e")) {
        bool ok = false;
        number = path.mid(2).toInt(&ok);
        if (!ok || number < 1 || number > m_pages.size())
            number = 0;
    }
    if (number > 0) {
        body = m_pages[number - 1];
        status = "200 OK";
    } else {
        body = "<html><head><title>404</title></head><body>404</body></html>";
    }
    QByteArray reply = "HTTP/1.0 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
                       + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    socket->write(reply);
    socket->disconnectFromHost();
    if (number > 0) {
        m_targets.append(QString::fromLatin1(target));
        m_lastServedMs = double(m_clock.nsecsElapsed()) / 1e6;
        if (m_targets.size() == m_pages.size())
            emit servedAll();
    }
}
