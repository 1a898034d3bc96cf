// The desktop program: the main window starts it and closing the main window ends it.
#include <QApplication>
#include <QIcon>

#include "ImageSurface.h"
#include "ParameterChain.h"
#include "Program.h"
#include "Services.h"
#include "frmTrajectory.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tarnwick");
    QApplication::setApplicationName("Tarnwick");
    QApplication::setApplicationVersion("2.5");
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(eyePicture())));
    QtServices services;
    Program program(services);
    ParameterChain::of(program);
    frmTrajectory& main = program.window<frmTrajectory>();
    main.show();
    return app.exec();
}
