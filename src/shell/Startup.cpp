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
#include "platform/Images.h"
#include "platform/IdleSteps.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QProcess>
#include <QUrl>
#include <QLibraryInfo>
#include <QStyle>
#include <QTranslator>

#include <algorithm>
#include <future>
#include <optional>
#include <vector>

namespace {

// Visible at once, while loading runs: the event loop paints it before the next step.
void present(frmSplash &splash)
{
    splash.show();
    splash.repaint();
}

// A dialog in the way (the tip of the day, a question) is closed as its close button would.
void endNow(frmMain &main)
{
    while (QWidget *modal = QApplication::activeModalWidget())
        if (!modal->close())
            break;
    main.close();
}

// What another thread reads while the engine starts.
struct Readied
{
    QStringList fontFamilies;
    QImage splashPicture;
};

struct Launching
{
    explicit Launching(QImage picture) : splashPicture(std::move(picture)) {}

    QImage splashPicture;
    std::optional<frmSplash> splash;
    std::unique_ptr<frmMain> main;
    bool closed = false;
};

// The splash first; the main window loads under it, and then closes it; the tip of the day
// comes (and is waited for) before the main window shows, unless it closed the window.
std::vector<std::function<void()>> launchSteps(Launching &at, const AppContext &context, const QString &commandLine,
                                               const std::function<void(frmMain &)> &loaded)
{
    return {
        [&at] {
            present(at.splash.emplace(at.splashPicture));
            StepTimes::mark("splash");
        },
        [&at, &context] {
            at.main = std::make_unique<frmMain>(context);
            StepTimes::mark("frmMain");
        },
        [&at, commandLine, loaded] {
            at.main->Form_Load(commandLine);
            StepTimes::mark("Form_Load");
            at.splash.reset(); // its picture and window are not needed again
            QObject::connect(at.main.get(), &frmMain::closed, at.main.get(), [&at] { at.closed = true; });
            if (loaded)
                loaded(*at.main);
        },
        [&at, &context] {
            if (frmTip::wanted(context)) {
                frmTip tip(context);
                if (tip.Form_Load())
                    tip.exec();
            }
            if (!at.closed)
                at.main->showFirst();
            StepTimes::mark("shown");
        },
    };
}

// The interface shows Chinese from its first frame. With a Latin default font the first
// Chinese text sets off a search of every font for fallbacks, a tenth of the window's
// start; a Chinese desktop's own default is the CJK font, Latin letters and all. The
// program's own cut of it comes first: its labels then map a few hundred kilobytes of
// font instead of megabytes of the full one, which draws only what the cut lacks.
QStringList registerInterfaceFont(const QString &programFolder)
{
    QStringList families;
    for (const char *style : {"regular", "bold"}) {
        const int id = QFontDatabase::addApplicationFont(programFolder + QStringLiteral("/fonts/interface-%1.otf").arg(QLatin1String(style)));
        if (id >= 0 && families.isEmpty())
            families = QFontDatabase::applicationFontFamilies(id);
    }
    return families;
}

void useInterfaceFont(const QStringList &families)
{
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
    StepTimes::mark("style");

    // The web engine first: its start is the longest part of start-up and mostly
    // waits on its helper processes, while other threads copy the shipped profile
    // files, register the interface font and read the splash picture and the icons.
    // No image plugin is loaded: the first frame's pictures are PNG (see PngReader) and
    // the splash's BMP, which Qt reads itself.
    const ProfileFolder profile;
    SettingsStore store;
    auto prepared = std::async(std::launch::async, [&profile, &store, shipped = programFolder + QStringLiteral("/profile")] {
        profile.prepare(shipped);
        removeLeftoverCopies(store.folder());
    });
    auto readied = std::async(std::launch::async, [programFolder] {
        Readied ahead{.fontFamilies = registerInterfaceFont(programFolder), .splashPicture = frmSplash::readPicture(programFolder)};
        Images::readAhead(programFolder);
        return ahead;
    });
    DialogPrompts prompts;
    RunningSettings settings(store);
    WebEngineEnvironment web(prompts, settings);
    DetachedProcessLauncher launcher;
    KeyringSecrets secrets;
    prepared.wait();
    Readied ahead = readied.get();
    useInterfaceFont(ahead.fontFamilies);
    StepTimes::mark("engine");
    const AppContext context{.programFolder = programFolder,
                             .profileFolder = profile.path(),
                             .tipsApplication = QFileInfo(QApplication::applicationFilePath()).completeBaseName(),
                             .settings = &settings,
                             .prompts = &prompts,
                             .launcher = &launcher,
                             .secrets = &secrets,
                             .browsers = &web};
    // Its renderer starts and the page loads while the windows are built: they are
    // built from the event loop when the load waits on its helper processes.
    startFirstPage(web, context, commandLine);
    StepTimes::mark("first-page-started");

    // From the main window's load on, later starts reach it and a request to end closes it,
    // also while the tip of the day waits.
    std::unique_ptr<EndRequests> endRequests;
    Launching launching(std::move(ahead.splashPicture));
    std::vector<std::function<void()>> start = launchSteps(launching, context, commandLine, [&](frmMain &loaded) {
        copy.serve([&loaded](const QString &address) { loaded.openRequested(address); });
        endRequests = std::make_unique<EndRequests>([&loaded] { endNow(loaded); });
        QObject::connect(&loaded, &frmMain::closed, &app, &QApplication::quit, Qt::QueuedConnection);
        QObject::connect(&loaded, &QWidget::windowTitleChanged, &loaded, [] { StepTimes::mark("caption"); });
    });
    start.front()(); // the splash, without waiting
    IdleSteps steps;
    for (auto step = start.begin() + 1; step != start.end(); ++step)
        steps.add(std::move(*step));
    const int status = app.exec();
    endRequests.reset(); // before the window it closes
    return status;
}

std::unique_ptr<frmMain> launch(const AppContext &context, const QString &commandLine,
                                const std::function<void(frmMain &)> &loaded)
{
    Launching launching(frmSplash::readPicture(context.programFolder));
    for (const auto &step : launchSteps(launching, context, commandLine, loaded)) {
        step();
        QApplication::processEvents(); // as the event loop does between the steps of a start
    }
    return std::move(launching.main);
}

} // namespace Startup
