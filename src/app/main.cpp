// The desktop program: the main window starts it and closing the main window ends it.
#include <QApplication>

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
    QtServices services;
    Program program(services);
    ParameterChain::of(program);
    frmTrajectory& main = program.window<frmTrajectory>();
    main.show();
    // "tarnwick FILE.tarnwick" (also the desktop's "open with") opens a load.
    const QStringList files = QApplication::arguments().mid(1);
    if (!files.isEmpty()) main.openLoadFile(files.first());
    return app.exec();
}
