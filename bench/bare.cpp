// The yardstick of the start-up benchmark: a bare Qt Widgets program showing
// one label, built with the program's own compiler flags, reporting its first
// paint through the same probe as the program.

#include "app/benchprobe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Lexoria"));
    label.resize(300, 100);
    BenchProbe::installFromEnvironment();
    label.show();
    return app.exec();
}
