#include "platform/FocusStyle.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOption>
#include <QTest>

// Whatever has the keyboard focus carries a mark in the highlight colour.
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
};

QTEST_MAIN(tst_FocusStyle)
#include "tst_focusstyle.moc"
