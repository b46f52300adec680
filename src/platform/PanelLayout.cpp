#include "PanelLayout.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The least size that shows the caption whole inside the button's frame and margins.
QSize captionSize(const QPushButton &button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    const QStyle *style = button.style();
    const int frame = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
    const QFontMetrics metrics = button.fontMetrics();
    const QString text = button.text();
    return QSize(metrics.size(Qt::TextShowMnemonic, text).width() + margin + frame,
                 metrics.tightBoundingRect(text).height() + frame);
}

} // namespace

namespace PanelLayout {

QPushButton *fixedButton(const char *name, const QString &caption, int widthTwips, int heightTwips)
{
    auto *button = named(new QPushButton(caption), name);
    button->setFixedSize(QSize(widthTwips / Twips, heightTwips / Twips).expandedTo(captionSize(*button)));
    return button;
}

QVBoxLayout *column(QWidget *page, int spacing)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    for (QPushButton *button : buttons)
        row->addWidget(button);
    row->addStretch(1);
    return row;
}

} // namespace PanelLayout
