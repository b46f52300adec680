#include "frmTip.h"

#include "platform/Images.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStringDecoder>

namespace {

const QString TipsFile = QStringLiteral("TIPOFDAY.TXT");

QString missingFileText()
{
    return QStringLiteral("文件 ") + TipsFile + QStringLiteral(" 没有被找到吗? ") + QStringLiteral("\r\n\r\n")
         + QStringLiteral("创建文本文件名为 ") + TipsFile + QStringLiteral(" 使用记事本每行写一条提示。 ")
         + QStringLiteral("然后将它存放在应用程序所在的目录 ");
}

} // namespace

frmTip::frmTip(const AppContext &context, QWidget *parent)
    : QDialog(parent), lblTipText(new QLabel), chkLoadTipsAtStartup(new QCheckBox(QStringLiteral("在启动时显示提示(&S)"))),
      m_context(context)
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("今天的提示"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *picture = new QLabel;
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(Images::pixmap(context.programFolder, QStringLiteral("tip"), QSize(48, 48)));
    picture->setAlignment(Qt::AlignTop);
    auto *label1 = new QLabel(QStringLiteral("您知道吗..."));
    label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    label1->setFont(bold);
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setMinimumSize(320, 110);
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    auto *next = new QPushButton(QStringLiteral("下一条提示(&N)"));
    next->setObjectName(QStringLiteral("cmdNextTip"));
    auto *ok = new QPushButton(QStringLiteral("确定"));
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(picture, 0, 0, 2, 1);
    grid->addWidget(label1, 0, 1);
    grid->addWidget(lblTipText, 1, 1);
    grid->addWidget(next, 0, 2);
    grid->addWidget(ok, 1, 2, Qt::AlignTop);
    grid->addWidget(chkLoadTipsAtStartup, 2, 0, 1, 3);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(chkLoadTipsAtStartup, &QCheckBox::clicked, this, &frmTip::chkLoadTipsAtStartup_Click);
    connect(next, &QPushButton::clicked, this, &frmTip::ShowRandomTip);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool frmTip::wanted(const AppContext &context)
{
    return context.settings->isOn(SettingKeys::ShowTips, context.tipsApplication);
}

bool frmTip::Form_Load()
{
    if (!wanted(m_context))
        return false;
    chkLoadTipsAtStartup->setChecked(true);
    if (!LoadTips(m_context.programFile(TipsFile)))
        lblTipText->setText(missingFileText());
    return true;
}

bool frmTip::LoadTips(const QString &path)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    QStringDecoder gbk("GB18030");
    const QString text = gbk(file.readAll());
    m_tips = text.split(QLatin1Char('\n'));
    // A final line end closes the last tip; it does not start another.
    if (text.endsWith(QLatin1Char('\n')) || text.isEmpty())
        m_tips.removeLast();
    for (QString &tip : m_tips)
        if (tip.endsWith(QLatin1Char('\r')))
            tip.chop(1);
    ShowRandomTip();
    return true;
}

void frmTip::ShowRandomTip()
{
    m_currentTip = int(QRandomGenerator::global()->bounded(qMax<qsizetype>(m_tips.size(), 1))) + 1;
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!m_tips.isEmpty())
        lblTipText->setText(m_tips.at(m_currentTip - 1));
}

QString frmTip::tipText() const { return lblTipText->text(); }

void frmTip::chkLoadTipsAtStartup_Click()
{
    m_context.settings->setOrReport(SettingKeys::ShowTips,
                                    SettingKey::stored(chkLoadTipsAtStartup->isChecked()),
                                    *m_context.prompts, this, m_context.tipsApplication);
}
