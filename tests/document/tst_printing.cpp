#include "MainWindow.h"
#include "TestApp.h"
#include "document/BrowserControl.h"
#include "document/frmDocument.h"
#include "document/webengine/WebEngineBrowser.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <optional>

namespace {

// Three pages, each with a word of its own.
const QByteArray ThreePages = "<html><head><meta charset=\"utf-8\"><title>Pages</title>"
                              "<style>div { break-after: page; }</style></head><body>"
                              "<div>Quillfeather on page one</div><div>Marrowbright on page two</div>"
                              "<p>Tinderglass on page three</p></body></html>";

// What a poppler tool prints about file; it fails the test when it cannot run.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed (Debian package poppler-utils): %s", qPrintable(tool),
                 process.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Shows the three pages in a window of main and prints them, as the prompts answer;
// whether the engine says it printed, or nullopt when it never said.
std::optional<bool> printPages(TestApp &app, frmMain &main)
{
    main.show();
    frmDocument *document = openDocument(main, app.writeFile(QStringLiteral("pages.htm"), ThreePages), QStringLiteral("Pages"));
    if (!document)
        return std::nullopt;
    QSignalSpy finished(qobject_cast<WebEngineBrowser *>(document->web()), &WebEngineBrowser::printFinished);
    document->web()->execWB(BrowserControl::Print);
    if (!finished.wait(30000))
        return std::nullopt;
    return finished.first().first().toBool();
}

} // namespace

// File > Print into a PDF file: the engine's own PDF, with the text in it.
class tst_Printing : public QObject
{
    Q_OBJECT

private slots:
    void pdfKeepsTextPagesAndLayout_data()
    {
        QTest::addColumn<std::function<void(QPrinter &)>>("choose");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("whole page") << std::function<void(QPrinter &)>()
                                    << QStringList{"Quillfeather", "Marrowbright", "Tinderglass"} << 3 << false;
        QTest::newRow("pages 2-3 across") << std::function<void(QPrinter &)>([](QPrinter &printer) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            printer.setPageOrientation(QPageLayout::Landscape);
        }) << QStringList{"Marrowbright", "Tinderglass"} << 2 << true;
    }

    void pdfKeepsTextPagesAndLayout()
    {
        QFETCH(std::function<void(QPrinter &)>, choose);
        QFETCH(QStringList, words);
        QFETCH(int, pages);
        QFETCH(bool, landscape);
        TestApp app;
        frmMain main(app.context);
        const QString pdf = app.file(QStringLiteral("打印/pages.pdf"));
        QVERIFY(QDir().mkpath(QFileInfo(pdf).path()));
        app.prompts.answerPrinter(pdf, choose);
        QCOMPARE(printPages(app, main), std::optional<bool>(true));

        const QString text = poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const char *word : {"Quillfeather", "Marrowbright", "Tinderglass"})
            QVERIFY2(text.contains(QLatin1String(word)) == words.contains(QLatin1String(word)),
                     qPrintable(QLatin1String(word) + QStringLiteral(" in: ") + text));
        const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
        QCOMPARE(QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt(), pages);
        const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
        QVERIFY2(size.hasMatch(), qPrintable(info));
        QCOMPARE(size.captured(1).toDouble() > size.captured(2).toDouble(), landscape);
    }

    void pdfThatCannotBeWrittenIsReported()
    {
        TestApp app;
        frmMain main(app.context);
        const QString pdf = app.file(QStringLiteral("no such folder/pages.pdf"));
        app.prompts.answerFile(pdf);
        QCOMPARE(printPages(app, main), std::optional<bool>(false));
        QCOMPARE(app.prompts.messages.size(), 1);
        QVERIFY(app.prompts.messages.first().text.contains(pdf));
    }
};

QTEST_MAIN(tst_Printing)
#include "tst_printing.moc"
