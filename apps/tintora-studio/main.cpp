// tintora-studio [SCENE]: the material editor window for Tintora textures.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QStyleFactory>
#include <cstdio>
#include <cstring>
#include <memory>

#include "studio/qt/main_window.h"

namespace {

bool WantsScreenshot(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--screenshot") == 0 || std::strncmp(argv[i], "--screenshot=", 13) == 0) return true;
    return false;
}

// --plugins, else TINTORA_PLUGIN_PATH, else ../plugins beside the program.
QString PluginFolder(const QCommandLineParser& options) {
    if (options.isSet(QStringLiteral("plugins"))) return options.value(QStringLiteral("plugins"));
    const QString fromEnvironment = qEnvironmentVariable("TINTORA_PLUGIN_PATH");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../plugins"));
}

void Fail(const std::string& message) { std::fprintf(stderr, "tintora-studio: %s\n", message.c_str()); }

// Renders the window once its first preview is on show and writes it as a PNG.
int WriteScreenshot(studio::qt::MainWindow& window, const QString& file) {
    QEventLoop loop;
    QObject::connect(&window, &studio::qt::MainWindow::PreviewShown, &loop, &QEventLoop::quit);
    if (window.Preview().RenderedCount() == 0) loop.exec();
    if (!window.grab().save(file, "PNG")) {
        Fail("cannot write " + file.toStdString());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // A screenshot needs no display.
    if (WantsScreenshot(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tintora Studio"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("The material editor for Tintora textures."));
    options.addHelpOption();
    options.addPositionalArgument(QStringLiteral("scene"), QStringLiteral("Scene file to open."), QStringLiteral("[SCENE]"));
    options.addOption({QStringLiteral("plugins"), QStringLiteral("Folder of the plug-in modules."), QStringLiteral("DIR")});
    options.addOption({QStringLiteral("screenshot"),
                       QStringLiteral("Render the window offscreen after loading, write it as a PNG and quit."),
                       QStringLiteral("FILE")});
    options.process(app);
    if (options.positionalArguments().size() > 1) {
        Fail("give at most one scene file");
        return 2;
    }

    auto session = std::make_unique<studio::qt::StudioSession>();
    if (const std::string problem = session->LoadModules(PluginFolder(options).toStdString()); !problem.empty()) {
        Fail(problem);
        return 1;
    }
    const QString screenshot = options.value(QStringLiteral("screenshot"));
    std::string openProblem;
    if (!options.positionalArguments().isEmpty())
        openProblem = session->OpenScene(options.positionalArguments().front().toStdString());
    if (!openProblem.empty()) {
        Fail(openProblem);
        if (!screenshot.isEmpty()) return 1;
    }
    if (session->Root() == nullptr) {
        if (const std::string problem = session->NewScene(); !problem.empty()) {
            Fail(problem);
            return 1;
        }
    }

    studio::qt::MainWindow window(std::move(session));
    window.show();
    if (!screenshot.isEmpty()) return WriteScreenshot(window, screenshot);
    if (!openProblem.empty())
        QMessageBox::warning(&window, QStringLiteral("Open"), QString::fromStdString(openProblem));
    return QApplication::exec();
}
