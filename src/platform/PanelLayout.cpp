#include "PanelLayout.h"

namespace PanelLayout {

QPushButton *fixedButton(const char *name, const QString &caption, int widthTwips, int heightTwips)
{
    auto *button = named(new QPushButton(caption), name);
    button->setFixedSize(widthTwips / Twips, heightTwips / Twips);
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
