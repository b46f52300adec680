#include "frmAbout.h"

#include "core/AppInfo.h"

#include "platform/Images.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *namedLabel(const QString &text, const char *name)
{
    auto *label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

} // namespace

frmAbout::frmAbout(const QString &programFolder, QWidget *parent)
    : QDialog(parent), lblTitle(namedLabel(QStringLiteral("Vantorel II"), "lblTitle")),
      lblVersion(namedLabel(versionText(), "lblVersion"))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于 Vantorel"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *icon = new QLabel;
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(Images::pixmap(programFolder, QStringLiteral("vantorel"), QSize(64, 64)));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    auto *description = namedLabel(QStringLiteral("多窗口网页浏览器：多引擎搜索、书签、自动填表、邮件与网络工具集于一身。"),
                                   "lblDescription");
    auto *disclaimer = namedLabel(QStringLiteral("本程序按“原样”提供，不附带任何明示或暗示的担保。"
                                                 "使用本程序浏览网页、发送邮件所产生的后果由使用者自行承担。"),
                                  "lblDisclaimer");
    auto *label3 = namedLabel(QString(), "Label3");
    auto *ok = new QPushButton(QStringLiteral("确定"));
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(description, 2, 1);
    grid->addWidget(disclaimer, 3, 0, 1, 2);
    grid->addWidget(label3, 4, 0, 1, 2);
    grid->addWidget(ok, 5, 1, Qt::AlignRight);
    setMinimumWidth(380);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString frmAbout::versionText()
{
    return QStringLiteral("版本 ") + AppInfo::version();
}
