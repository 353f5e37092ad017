// Kadrel: plans the loudspeakers of a public-address installation.

#include "app/KDRApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kadrel"));
    CKDRApp app;
    if (!app.InitInstance(argc, argv))
        return 0;
    return app.Run();
}
