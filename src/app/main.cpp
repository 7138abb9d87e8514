// Program entry: the application object, the windows, the message loop.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tarnix - Configurator QP11211 - IO-Link / EtherNet/IP "));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
