#include "Startup.h"

#include "AppContext.h"
#include "Prompts.h"
#include "SettingsStore.h"
#include "document/WebEngineEnvironment.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "frmTip.h"
#include "search/SearchUrl.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace Startup {

void installTranslations(QApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *name : {"qtbase_zh_CN", "qtwebengine_zh_CN"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(QLatin1String(name), folder))
            app.installTranslator(translator);
        else
            delete translator;
    }
}

int run(QApplication &app)
{
    QApplication::setApplicationName(AppTitle);
    QApplication::setApplicationVersion(QStringLiteral("2.0.108"));
    QApplication::setApplicationDisplayName(QString());
    installTranslations(app);

    DialogPrompts prompts;
    SettingsStore settings;
    WebEngineEnvironment web(prompts);
    AppContext context;
    context.programFolder = QApplication::applicationDirPath();
    web.setTypedSearch([folder = context.programFolder](const QString &query) {
        return firstEngineSearch(folder, query);
    });
    context.tipsApplication = QFileInfo(QApplication::applicationFilePath()).completeBaseName();
    context.settings = &settings;
    context.prompts = &prompts;
    context.browsers = &web;

    const auto main = launch(context, QApplication::arguments().join(QLatin1Char(' ')));
    QObject::connect(main.get(), &frmMain::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    return app.exec();
}

std::unique_ptr<frmMain> launch(const AppContext &context, const QString &commandLine)
{
    frmSplash splash(context.programFolder);
    splash.show();
    splash.repaint();
    QApplication::processEvents(); // paint the splash before the long load

    auto main = std::make_unique<frmMain>(context);
    main->Form_Load(commandLine);
    splash.close();

    frmTip tip(context);
    if (tip.Form_Load())
        tip.exec();
    main->show();
    return main;
}

} // namespace Startup
