// The start-up floor: a bare Qt Widgets program that shows one empty
// window of the wizard's size.

#include "shown_marker.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(464, 354);
    window.show();
    waitUntilShown(window);
    printMarker("shown");
    return 0;
}
