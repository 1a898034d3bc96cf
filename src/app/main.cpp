#include <QApplication>

#include "Program.h"
#include "Services.h"
#include "frmTrajectory.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtServices services;
    Program program(services);
    frmTrajectory& main = program.window<frmTrajectory>();
    main.show();
    return app.exec();
}
