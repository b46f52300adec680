#include "PagePropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>

namespace {

QLabel *field(const QString &text, const char *name)
{
    auto *label = new QLabel(text.isEmpty() ? QStringLiteral("不可用") : text);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

PagePropertiesDialog::PagePropertiesDialog(const PageProperties &properties, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("属性"));
    setMinimumWidth(420);
    const QString size = properties.size < 0
                             ? QString()
                             : QStringLiteral("%1 字节").arg(QLocale(QLocale::Chinese).toString(properties.size));
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("标题："), field(properties.title, "propTitle"));
    form->addRow(QStringLiteral("地址："), field(properties.address, "propAddress"));
    form->addRow(QStringLiteral("类型："), field(properties.type, "propType"));
    form->addRow(QStringLiteral("编码："), field(properties.encoding, "propEncoding"));
    form->addRow(QStringLiteral("大小："), field(size, "propSize"));
    form->addRow(QStringLiteral("修改日期："),
                 field(properties.modified.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), "propModified"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    form->addRow(buttons);
}
