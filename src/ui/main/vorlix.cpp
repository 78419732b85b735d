#include "InterfaceImages.h"
#include "LayoutStorage.h"
#include "Quarl.LayoutManager.Storage.h"
#include "Startup.h"
#include "TTerminationSignals.h"
#include "Twnd_vx_Main.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

int main(int argc, char *argv[])
{
    // The folder of the settings file comes from the version block, so the path is decided before any window.
    auto storage = std::make_shared<TLayoutManagerINIStorage>();
    storage->SetFileName(SettingsPathForThisRun([](const char *name) { return std::getenv(name); }));
    LayoutStorage() = storage;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vorlix"));
    QApplication::setWindowIcon(ApplicationIcon());

    int result = 0;
    {
        Twnd_vx_Main window;
        // A termination signal ends the program the way closing its window does.
        const TTerminationSignals termination([&window] { window.close(); });
        window.show();
        result = QApplication::exec();
    }
    LayoutStorage().reset();
    return result;
}
