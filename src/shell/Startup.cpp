#include "Startup.h"

#include "document/AppContext.h"
#include "core/Addresses.h"
#include "core/AppInfo.h"
#include "core/FileReplace.h"
#include "core/ProfileFolder.h"
#include "core/RunningSettings.h"
#include "core/SettingsStore.h"
#include "core/StepTimes.h"
#include "document/webengine/WebEngineEnvironment.h"
#include "frmMain.h"
#include "frmSplash.h"
#include "frmTip.h"
#include "Rooms.h"
#include "RunningCopy.h"
#include "platform/DetachedProcessLauncher.h"
#include "platform/KeyringSecrets.h"
#include "platform/DialogPrompts.h"
#include "platform/EndRequests.h"
#include "platform/FocusStyle.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QProcess>
#include <QUrl>
#include <QLibraryInfo>
#include <QStyle>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <future>
#include <optional>

namespace {

// Visible at once, while loading runs.
void present(frmSplash &splash)
{
    splash.show();
    splash.repaint();
    QApplication::processEvents();
}

// A dialog in the way (the tip of the day, a question) is closed as its close button would.
void endNow(frmMain &main)
{
    while (QWidget *modal = QApplication::activeModalWidget())
        if (!modal->close())
            break;
    main.close();
}

// The interface shows Chinese from its first frame. With a Latin default font the first
// Chinese text sets off a search of every font for fallbacks, a tenth of the window's
// start; a Chinese desktop's own default is the CJK font, Latin letters and all. The
// program's own cut of it comes first: its labels then map a few hundred kilobytes of
// font instead of megabytes of the full one, which draws only what the cut lacks.
void useInterfaceFont(const QString &programFolder)
{
    QStringList families;
    for (const char *style : {"regular", "bold"}) {
        const int id = QFontDatabase::addApplicationFont(programFolder + QStringLiteral("/fonts/interface-%1.otf").arg(QLatin1String(style)));
        if (id >= 0 && families.isEmpty())
            families = QFontDatabase::applicationFontFamilies(id);
    }
    QFont font = QApplication::font();
    font.setFamilies(families + QStringList{QStringLiteral("Noto Sans CJK SC"), font.family()});
    QApplication::setFont(font);
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

QString requestedAddress(const QString &commandLine)
{
    const QString option = QStringLiteral("-nohome");
    const qsizetype p = commandLine.indexOf(option);
    if (p < 0) {
        // An option not ours, such as "-NOHOME", makes no address of what follows it.
        const QStringList words = QProcess::splitCommand(commandLine).mid(1);
        if (words.isEmpty() || std::any_of(words.begin(), words.end(), [](const QString &word) { return word.startsWith(u'-'); }))
            return {};
        const QString given = words.join(u' ');
        const QUrl url = QUrl::fromUserInput(given, QDir::currentPath());
        return url.isValid() ? url.toString() : given;
    }
    QString address = commandLine.mid(p + option.size() + 1);
    if (address.size() >= 2 && address.startsWith(u'"') && address.endsWith(u'"') && address.count(u'"') == 2)
        address = address.mid(1, address.size() - 2);
    return address.isEmpty() ? QStringLiteral("about:blank") : address;
}

QString firstPage(const QString &commandLine, const RunningSettings &settings)
{
    const QString requested = requestedAddress(commandLine);
    if (!requested.isEmpty())
        return requested;
    const QString home = settings.text(SettingKeys::Homepage);
    return home == Addresses::IEHomepage ? WebEngineEnvironment::homeAddress() : home;
}

void startFirstPage(WebEngineEnvironment &web, const AppContext &context, const QString &commandLine)
{
    Rooms::beforeFirstPage(context);
    web.startFirstPage(firstPage(commandLine, *context.settings));
}

QString commandLine(const QStringList &arguments)
{
    QStringList typed;
    for (const QString &argument : arguments)
        typed.append(argument.contains(u' ') ? u'"' + argument + u'"' : argument);
    return typed.join(u' ');
}

QString commandLine(const QStringList &typed, const QStringList &left)
{
    const QString asTyped = commandLine(typed);
    return asTyped.contains(QLatin1String("-nohome")) ? asTyped : commandLine(left);
}

int run(QApplication &app, const QString &commandLine, RunningCopy &copy)
{
    QApplication::setApplicationName(AppTitle);
    QApplication::setApplicationVersion(AppInfo::version());
    QApplication::setApplicationDisplayName(QString());
    installTranslations(app);
    QApplication::setStyle(new FocusStyle(QApplication::style()->name()));
    const QString programFolder = QApplication::applicationDirPath();
    useInterfaceFont(programFolder);
    StepTimes::mark("style");

    // The web engine first: its start is the longest part of start-up and mostly
    // waits on its helper processes, while another thread copies the shipped profile
    // files. No image plugin is loaded: the first frame's pictures are SVG and PNG,
    // which Qt reads itself (see PngReader).
    const ProfileFolder profile;
    SettingsStore store;
    auto prepared = std::async(std::launch::async, [&profile, &store, shipped = programFolder + QStringLiteral("/profile")] {
        profile.prepare(shipped);
        removeLeftoverCopies(store.folder());
    });
    DialogPrompts prompts;
    RunningSettings settings(store);
    WebEngineEnvironment web(prompts, settings);
    DetachedProcessLauncher launcher;
    KeyringSecrets secrets;
    prepared.wait();
    StepTimes::mark("engine");
    const AppContext context{.programFolder = programFolder,
                             .profileFolder = profile.path(),
                             .tipsApplication = QFileInfo(QApplication::applicationFilePath()).completeBaseName(),
                             .settings = &settings,
                             .prompts = &prompts,
                             .launcher = &launcher,
                             .secrets = &secrets,
                             .browsers = &web};
    // Its renderer starts and the page loads while the windows are built.
    startFirstPage(web, context, commandLine);
    StepTimes::mark("first-page-started");
    std::optional<frmSplash> splash(std::in_place, context.programFolder);
    present(*splash);
    StepTimes::mark("splash");

    // From the main window's load on, later starts reach it and a request to end closes it,
    // also while the tip of the day waits.
    std::unique_ptr<EndRequests> endRequests;
    bool ended = false;
    const auto main = launch(context, commandLine, &*splash, [&](frmMain &loaded) {
        copy.serve([&loaded](const QString &address) { loaded.openRequested(address); });
        endRequests = std::make_unique<EndRequests>([&loaded] { endNow(loaded); });
        QObject::connect(&loaded, &frmMain::closed, &app, [&ended] { ended = true; });
    });
    splash.reset(); // its picture and window are not needed again
    if (ended)
        return 0;
    QObject::connect(main.get(), &frmMain::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    QObject::connect(main.get(), &QWidget::windowTitleChanged, main.get(), [] { StepTimes::mark("caption"); });
    QTimer::singleShot(0, &app, [] { StepTimes::mark("event-loop"); });
    const int status = app.exec();
    endRequests.reset(); // before the window it closes
    return status;
}

std::unique_ptr<frmMain> launch(const AppContext &context, const QString &commandLine, frmSplash *splash,
                                const std::function<void(frmMain &)> &loaded)
{
    std::optional<frmSplash> own;
    if (!splash) {
        splash = &own.emplace(context.programFolder);
        present(*splash);
    }
    auto main = std::make_unique<frmMain>(context);
    StepTimes::mark("frmMain");
    main->Form_Load(commandLine);
    StepTimes::mark("Form_Load");
    splash->close();
    if (loaded)
        loaded(*main);

    // Built only when it shows.
    if (frmTip::wanted(context)) {
        frmTip tip(context);
        if (tip.Form_Load())
            tip.exec();
    }
    main->show();
    StepTimes::mark("shown");
    return main;
}

} // namespace Startup
