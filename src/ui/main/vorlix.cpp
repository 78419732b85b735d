#include "InterfaceImages.h"
#include "LayoutStorage.h"
#include "Quarl.LayoutManager.Storage.h"
#include "Startup.h"
#include "TSingleInstance.h"
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

    Twnd_vx_Main *window = nullptr;
    const TSingleInstance instance(TSingleInstance::ServerNameFor(QGuiApplication::platformName()), [&window] {
        if (window != nullptr)
            window->TrayIconClick();
    });
    if (!instance.IsFirst())
        return 0;

    int result = 0;
    {
        Twnd_vx_Main main;
        window = &main;
        // A termination signal ends the program the way closing its window does.
        const TTerminationSignals termination([&main] { main.close(); });
        main.show();
        result = QApplication::exec();
        window = nullptr;
    }
    LayoutStorage().reset();
    return result;
}
