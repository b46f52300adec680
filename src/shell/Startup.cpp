#include "Startup.h"

#include "AppContext.h"
#include "core/AppInfo.h"
#include "core/ProfileFolder.h"
#include "core/SettingsStore.h"
#include "document/webengine/WebEngineEnvironment.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "frmTip.h"
#include "platform/DetachedProcessLauncher.h"
#include "platform/DialogPrompts.h"
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
    QApplication::setApplicationVersion(AppInfo::version());
    QApplication::setApplicationDisplayName(QString());
    installTranslations(app);

    DialogPrompts prompts;
    SettingsStore settings;
    WebEngineEnvironment web(prompts);
    DetachedProcessLauncher launcher;
    AppContext context;
    context.programFolder = QApplication::applicationDirPath();
    const ProfileFolder profile;
    profile.prepare(context.programFile(QStringLiteral("profile")));
    context.profileFolder = profile.path();
    web.setTypedSearch([folder = context.profileFolder](const QString &query) {
        return firstEngineSearch(folder, query);
    });
    context.tipsApplication = QFileInfo(QApplication::applicationFilePath()).completeBaseName();
    context.settings = &settings;
    context.prompts = &prompts;
    context.browsers = &web;
    context.launcher = &launcher;

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
