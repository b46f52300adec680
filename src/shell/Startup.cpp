#include "Startup.h"

#include "AppContext.h"
#include "core/AppInfo.h"
#include "core/ProfileFolder.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "document/webengine/WebEngineEnvironment.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "frmTip.h"
#include "platform/DetachedProcessLauncher.h"
#include "platform/DialogPrompts.h"
#include "platform/FocusStyle.h"
#include "search/SearchUrl.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QStyle>
#include <QTranslator>

#include <future>
#include <optional>

namespace {

// Looks up the fonts the Chinese captions need. The font database is shared
// between threads, so the windows built later find the lookups done.
void lookUpFonts(QFont font)
{
    const QString sample = QStringLiteral("搜索引擎书签管理");
    QFontMetrics(font).horizontalAdvance(sample);
    font.setBold(true);
    QFontMetrics(font).horizontalAdvance(sample);
}

// Visible at once, while loading runs.
void present(frmSplash &splash)
{
    splash.show();
    splash.repaint();
    QApplication::processEvents();
}

} // namespace

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

QString commandLine(const QStringList &arguments)
{
    QStringList typed;
    for (const QString &argument : arguments)
        typed.append(argument.contains(u' ') ? u'"' + argument + u'"' : argument);
    return typed.join(u' ');
}

int run(QApplication &app, const QString &commandLine)
{
    QApplication::setApplicationName(AppTitle);
    QApplication::setApplicationVersion(AppInfo::version());
    QApplication::setApplicationDisplayName(QString());
    installTranslations(app);
    QApplication::setStyle(new FocusStyle(QApplication::style()->name()));

    AppContext context;
    context.programFolder = QApplication::applicationDirPath();
    // First, as the web engine's start below is the longest part of start-up.
    frmSplash splash(context.programFolder);
    present(splash);
    // That start mostly waits on the engine's helper processes; meanwhile other
    // threads copy the shipped profile files and look up the fonts.
    const ProfileFolder profile;
    auto prepared = std::async(std::launch::async, [&profile, shipped = context.programFile(QStringLiteral("profile"))] {
        profile.prepare(shipped);
    });
    auto fonts = std::async(std::launch::async, lookUpFonts, QApplication::font());

    DialogPrompts prompts;
    SettingsStore store;
    RunningSettings settings(store);
    WebEngineEnvironment web(prompts, settings);
    DetachedProcessLauncher launcher;
    prepared.wait();
    fonts.wait();
    context.profileFolder = profile.path();
    web.setTypedSearch([folder = context.profileFolder](const QString &query) {
        return firstEngineSearch(folder, query);
    });
    context.tipsApplication = QFileInfo(QApplication::applicationFilePath()).completeBaseName();
    context.settings = &settings;
    context.prompts = &prompts;
    context.browsers = &web;
    context.launcher = &launcher;

    const auto main = launch(context, commandLine, &splash);
    QObject::connect(main.get(), &frmMain::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    return app.exec();
}

std::unique_ptr<frmMain> launch(const AppContext &context, const QString &commandLine, frmSplash *splash)
{
    std::optional<frmSplash> own;
    if (!splash) {
        splash = &own.emplace(context.programFolder);
        present(*splash);
    }
    auto main = std::make_unique<frmMain>(context);
    main->Form_Load(commandLine);
    splash->close();

    // Built only when it shows.
    if (frmTip::wanted(context)) {
        frmTip tip(context);
        if (tip.Form_Load())
            tip.exec();
    }
    main->show();
    return main;
}

} // namespace Startup
