// Kadrel: plans the loudspeakers of a public-address installation.

#include "app/KDRApp.h"

#include <QApplication>
#include <clocale>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    // Qt takes the user's locale for the C library too; numbers in files and
    // dialogs are read and written in the "C" form whatever the locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kadrel"));
    CKDRApp app;
    if (!app.InitInstance(argc, argv))
        return 0;
    return app.Run();
}
