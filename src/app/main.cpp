// The desktop program: the main window starts it and closing the main window ends it.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "ImageSurface.h"
#include "ParameterChain.h"
#include "Program.h"
#include "Services.h"
#include "Version.h"
#include "frmTrajectory.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tarnwick");
    QApplication::setApplicationName("Tarnwick");
    QApplication::setApplicationVersion(tarnwick::kVersion);
    QApplication::setWindowIcon(eyeIcon());
    // --help and --version answer on the terminal; Qt's own options are taken by
    // QApplication already. Anything else that looks like an option is refused rather
    // than opened as a load file of that name.
    QCommandLineParser parser;
    parser.setApplicationDescription("Plots small-arms bullet trajectories.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE.tarnwick", "A load file to open.", "[FILE.tarnwick]");
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "tarnwick: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet("help")) parser.showHelp(0);
    if (parser.isSet("version")) parser.showVersion();
    QtServices services;
    Program program(services);
    ParameterChain::of(program);
    frmTrajectory& main = program.window<frmTrajectory>();
    main.show();
    // "tarnwick FILE.tarnwick" (also the desktop's "open with") opens a load.
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) main.openLoadFile(files.first());
    return app.exec();
}
