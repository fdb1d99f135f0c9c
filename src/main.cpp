#include <QApplication>
#include <QMainWindow>

#include "common/MessageBoxService.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(orv::applicationTitle());
    window.resize(640, 480);
    window.show();
    return app.exec();
}
