#include "AutotextPage.h"

#include "platform/PanelLayout.h"

#include <QListWidget>

using namespace PanelLayout;

AutotextPage::AutotextPage(QWidget *parent)
    : PanelPage(Autotext, QStringLiteral("自动填表"), parent), cmdEDITAUTOtxt(fixedButton("cmdEDITAUTOtxt", QStringLiteral("修改选定项"), 1215)),
      cmdSendSELECTEDITEM(fixedButton("cmdSendSELECTEDITEM", QStringLiteral("发送选定项"), 1215)),
      lstAutotxt(named(new QListWidget, "lstAutotxt"))
{
    QVBoxLayout *layout = column(this, RowGap);
    layout->addLayout(buttonRow({cmdEDITAUTOtxt, cmdSendSELECTEDITEM}));
    layout->addWidget(lstAutotxt, 1);
}
