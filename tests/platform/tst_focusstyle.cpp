#include "ModalWatcher.h"
#include "platform/DialogPrompts.h"
#include "platform/FocusStyle.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QStyleOption>
#include <QTest>

// Whatever has the keyboard focus carries a mark in the highlight colour; a message
// box leaves its title room.
class tst_FocusStyle : public QObject
{
    Q_OBJECT

private:
    static QImage draw(const std::function<void(const QStyle &, QPainter &)> &paint)
    {
        QImage image(80, 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const FocusStyle style(QStringLiteral("Fusion"));
        paint(style, painter);
        return image;
    }
    static bool marked(const QImage &image)
    {
        return image.pixelColor(1, 12) == QApplication::palette().color(QPalette::Highlight);
    }

private slots:
    void buttonsAndFocusFramesAreMarked_data()
    {
        QTest::addColumn<bool>("button");
        QTest::newRow("push button") << true;
        QTest::newRow("focus frame of other controls") << false;
    }
    void buttonsAndFocusFramesAreMarked()
    {
        QFETCH(bool, button);
        for (const bool focused : {false, true}) {
            const QImage image = draw([&](const QStyle &style, QPainter &painter) {
                QStyleOptionButton option;
                option.rect = QRect(0, 0, 80, 24);
                option.palette = QApplication::palette();
                option.state = QStyle::State_Enabled | (focused ? QStyle::State_HasFocus : QStyle::State_None);
                option.text = QStringLiteral("确认");
                if (button)
                    style.drawControl(QStyle::CE_PushButton, &option, &painter);
                else if (focused)
                    style.drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter);
            });
            QCOMPARE(marked(image), focused);
        }
    }

    void messageBoxesShowTheirWholeTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("waits");
        QTest::newRow("asks") << QStringLiteral("Error") << true;
        QTest::newRow("tells") << QStringLiteral("Error") << false;
        QTest::newRow("a long title") << QStringLiteral("无法保存设置，请检查个人资料文件夹是否可写") << true;
    }
    void messageBoxesShowTheirWholeTitle()
    {
        QFETCH(QString, title);
        QFETCH(bool, waits);
        int width = 0;
        int wanted = 0;
        const ModalWatch shown = whenModalShown<QMessageBox>([&](QMessageBox *box) {
            QFont bold = box->font();
            bold.setBold(true);
            const QFontMetrics metrics(bold);
            // The title beside the window's icon and three buttons, a line's height each, and margins.
            wanted = metrics.horizontalAdvance(title) + 5 * metrics.height();
            width = box->width();
            box->close();
        });
        DialogPrompts prompts;
        if (waits)
            prompts.message(nullptr, QStringLiteral("x"), title, Prompts::Critical, Prompts::Ok);
        else
            prompts.notify(nullptr, QStringLiteral("x"), title, Prompts::Critical);
        QTRY_VERIFY(width > 0);
        QVERIFY2(width >= wanted, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(wanted)));
    }

    // Fetched when first shown, the style's own pictures are still the base style's.
    void standardPicturesAreTheBaseStyles_data()
    {
        QTest::addColumn<QStyle::StandardPixmap>("which");
        QTest::newRow("window menu close") << QStyle::SP_TitleBarCloseButton;
        QTest::newRow("toolbar extension") << QStyle::SP_ToolBarHorizontalExtensionButton;
        QTest::newRow("a picture the style lacks") << QStyle::SP_CustomBase;
    }
    void standardPicturesAreTheBaseStyles()
    {
        QFETCH(QStyle::StandardPixmap, which);
        const FocusStyle style(QStringLiteral("Fusion"));
        const QIcon base = style.baseStyle()->standardIcon(which);
        QIcon icon = style.standardIcon(which);
        QCOMPARE(icon.isNull(), base.isNull());
        QCOMPARE(icon.availableSizes(), base.availableSizes());
        QIcon copy = icon;
        for (const int size : {16, 32})
            QCOMPARE(copy.pixmap(size, QIcon::Disabled).toImage(), base.pixmap(size, QIcon::Disabled).toImage());
    }
};

QTEST_MAIN(tst_FocusStyle)
#include "tst_focusstyle.moc"
