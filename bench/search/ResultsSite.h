#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QTcpServer>

// The loopback site both search benchmarks load: /e1 ... /eN, each a results
// page of a made-up engine. Both programs link this same file, so the pages,
// their sizes and the way they are served are the same for both.
class ResultsSite : public QTcpServer
{
    Q_OBJECT
public:
    explicit ResultsSite(int engines, QObject *parent = nullptr);

    int engines() const { return int(m_pages.size()); }
    // http://127.0.0.1:PORT/eN, without a query.
    QString engineAddress(int number) const;
    // The title of page /eN, to check that a window shows it.
    static QString pageTitle(int number);
    qsizetype pageBytes(int number) const { return m_pages.value(number - 1).size(); }

    // Counts served results pages from now on; times are ms since this call.
    void startClock();
    // Request targets of results pages (path and query as sent) since startClock.
    const QStringList &targets() const { return m_targets; }
    double lastServedMs() const { return m_lastServedMs; }

signals:
    void servedAll();

private:
    void serve(QTcpSocket *socket);

    QList<QByteArray> m_pages;
    QStringList m_targets;
    QElapsedTimer m_clock;
    double m_lastServedMs = -1;
};

// Warm-up page address: the engine's empty page.
inline const char *const WarmUpAddress = "about:blank";
// The query of the benchmark: a blank, an ampersand and Chinese.
inline const char16_t *const BenchQuery = u"AT&T 中文";
