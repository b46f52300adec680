#include "PageFixture.h"

#include "document/DocumentArea.h"
#include "document/frmDocument.h"

#include <QHBoxLayout>
#include <QTest>

namespace {

// A page of a 3360-twip panel, inside the tab strip's frame.
constexpr int PageWidth = 216;

} // namespace

PageFixture::PageFixture(Browsers browsers)
    : area(new DocumentArea),
      documents(new ScriptedDocuments(area, browsers == Real ? static_cast<BrowserFactory &>(app.web()) : scripted,
                                      app.context.programFolder, QString(), &window)),
      running(app.running()),
      context{.programFolder = app.context.programFolder,
              .profileFolder = app.context.profileFolder,
              .tipsApplication = app.context.tipsApplication,
              .settings = &running,
              .prompts = &app.prompts,
              .launcher = &app.launcher,
              .secrets = &app.secrets,
              .browsers = browsers == Real ? static_cast<BrowserFactory *>(&app.web()) : &scripted,
              .documents = documents}
{
    context.note = [this](const QString &text) { notes.append(text); };
    auto *central = new QWidget;
    window.setCentralWidget(central);
    auto *row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(area, 1);
}

bool PageFixture::show(QWidget *shown, int height)
{
    page = shown;
    page->setFixedWidth(PageWidth);
    static_cast<QHBoxLayout *>(window.centralWidget()->layout())->insertWidget(0, page);
    window.resize(900, height);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

frmDocument *PageFixture::openDocument()
{
    frmDocument *document = documents->LoadNewDoc();
    document->showMaximized();
    return document;
}
