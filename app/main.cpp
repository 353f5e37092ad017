// Kadrel: plans the loudspeakers of a public-address installation.

#include "app/KDRApp.h"

#include <QApplication>
#include <clocale>
#include <csignal>

int main(int argc, char** argv)
{
    // A save beyond the file-size limit is to fail with an error the save
    // reports and the old file kept, not end the program half-way through.
    std::signal(SIGXFSZ, SIG_IGN);
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
