// bench_complete: how long an address box takes to find what to suggest.
//
//   bench_complete [--runs N]
//
// Fills the suggestions as the program does: 10,000 bookmarks offered as a room
// offers them, and 10,000 visited pages recorded one by one, with Chinese and
// Latin titles and addresses of about 60 characters. Then, N times after one
// warm-up, it times AddressSuggestions::suggest for three two-character texts:
//
//   common: "新闻", in the names of many bookmarks: the first ten end the scan;
//   rare:   "桂林", in the titles of five visited pages: every entry is looked at;
//   none:   "zq", in nothing: every entry is looked at;
//
// and the keys of "桂林" typed into an address box with its list (the list
// filled and shown). It prints the medians, what reading and writing the file of
// visited pages costs, and on its last line "median_ms M", the worst median of
// the three texts. Exit status 1 when a text finds what it should not.

#include "document/AddressCompleter.h"
#include "document/AddressSuggestions.h"
#include "document/SuggestionList.h"
#include "document/VisitedPages.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Entries = 10000;

const char16_t *const ChineseWords[] = {u"新闻", u"财经", u"体育", u"科技", u"首页", u"欢迎来到", u"官方网站",
                                        u"论坛", u"博客", u"视频", u"天气预报", u"地图", u"购物", u"旅游",
                                        u"教育", u"北京", u"上海", u"大学", u"图书馆", u"银行"};
const char *const LatinWords[] = {"News", "Home", "Docs", "Blog", "Forum", "Weather", "Maps", "Shop",
                                  "Travel", "Linux", "Debian", "Kernel", "Python", "Release", "Guide"};
const char *const Hosts[] = {"www.sina.com.cn", "news.sohu.com", "www.people.com.cn", "www.xinhuanet.com",
                             "github.com", "www.debian.org", "doc.qt.io", "zh.wikipedia.org", "www.163.com",
                             "developer.mozilla.org"};

// A title of three words, Chinese or Latin by turns, and an address of about 60 characters.
std::pair<QString, QString> page(int i, int salt)
{
    const int w = i * 7 + salt;
    QString title;
    if (i % 2)
        title = QString::fromUtf16(ChineseWords[w % 20]) + QString::fromUtf16(ChineseWords[(w / 20) % 20])
                + QString::fromUtf16(ChineseWords[(w / 3) % 20]);
    else
        title = QStringLiteral("%1 %2 %3").arg(QLatin1String(LatinWords[w % 15]), QLatin1String(LatinWords[(w / 15) % 15]),
                                               QLatin1String(LatinWords[(w / 4) % 15]));
    const QString address = QStringLiteral("https://%1/%2/%3/item-%4.html?id=%5")
                                .arg(QLatin1String(Hosts[w % 10]), QString::fromLatin1(LatinWords[(w / 10) % 15]).toLower())
                                .arg(2000 + w % 25)
                                .arg(i)
                                .arg(w * 31 % 100000);
    return {title, address};
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void type(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    const int runs = runsAt > 0 ? qMax(1, args.value(runsAt + 1).toInt()) : 21;

    QTemporaryDir dir;
    const QString file = dir.filePath(VisitedPages::FileName);
    SuggestionList bookmarks;
    QList<Suggestion> entries;
    for (int i = 0; i < Entries; ++i) {
        const auto [title, address] = page(i, 0);
        entries.append(Suggestion::make(title, address));
    }
    bookmarks.set(entries);
    auto visited = std::make_unique<VisitedPages>(file);
    const double recordMs = timeMs([&] {
        for (int i = 0; i < Entries; ++i) {
            auto [title, address] = page(i, 3);
            // A few old visits to Guilin, which only a whole scan finds.
            if (i % 2000 == 0)
                title += QStringLiteral(" 桂林山水");
            visited->record(address, title);
        }
    });
    const double saveMs = timeMs([&] { visited->save(); });
    visited = std::make_unique<VisitedPages>(file);
    const double readMs = timeMs([&] { visited->prepare(); });
    AddressSuggestions suggestions;
    suggestions.offer(&bookmarks, QIcon());
    suggestions.setVisited(visited.get(), QIcon());

    struct Query {
        const char *name;
        QString text;
        qsizetype expected;
        QList<double> ms;
    };
    QList<Query> queries = {{"common", QStringLiteral("新闻"), AddressSuggestions::Limit, {}},
                            {"rare", QStringLiteral("桂林"), 5, {}},
                            {"none", QStringLiteral("zq"), 0, {}}};
    QWidget window;
    window.resize(1000, 700);
    auto *box = new QComboBox(&window);
    box->setEditable(true);
    box->setGeometry(0, 0, 361, 21);
    AddressCompleter completer(box, suggestions, [](const QString &) {});
    window.show();
    QList<double> typed;
    for (int run = -1; run < runs; ++run) {
        for (Query &query : queries) {
            qsizetype found = 0;
            const double ms = timeMs([&] { found = suggestions.suggest(query.text).size(); });
            if (found != query.expected) {
                std::fprintf(stderr, "%s: %lld found, %lld expected\n", query.name, qlonglong(found),
                             qlonglong(query.expected));
                return 1;
            }
            if (run >= 0)
                query.ms.append(ms);
        }
        box->lineEdit()->clear();
        const double ms = timeMs([&] { type(box, QStringLiteral("桂林")); });
        if (!completer.list() || completer.list()->topLevelItemCount() != 5) {
            std::fprintf(stderr, "typed: the list does not show the five pages\n");
            return 1;
        }
        if (run >= 0)
            typed.append(ms);
    }

    std::printf("entries: %d bookmarks, %d visited pages\n", Entries, Entries);
    std::printf("visited pages: recorded in %.1f ms, saved in %.1f ms, read back in %.1f ms\n", recordMs, saveMs, readMs);
    double worst = 0;
    for (const Query &query : queries) {
        const double m = median(query.ms);
        worst = std::max(worst, m);
        std::printf("%-7s \"%s\": median %.3f ms of %d runs (min %.3f, max %.3f)\n", query.name,
                    qPrintable(query.text), m, runs, *std::min_element(query.ms.cbegin(), query.ms.cend()),
                    *std::max_element(query.ms.cbegin(), query.ms.cend()));
    }
    std::printf("typed   \"桂林\" into the box, list shown: median %.3f ms\n", median(typed));
    std::printf("median_ms %.3f\n", worst);
    return 0;
}
