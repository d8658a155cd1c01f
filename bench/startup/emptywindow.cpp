// The floor of the start-up figure: a Qt window with nothing in it, shown at once.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(582, 135);
    window.show();
    return app.exec();
}
