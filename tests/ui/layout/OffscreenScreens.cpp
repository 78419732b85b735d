#include "OffscreenScreens.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QTest>

#include <qpa/qplatformnativeinterface.h>

namespace {

// The two entry points the offscreen platform hands out by name.
using TSetConfiguration = void (*)(const QJsonObject &, QPlatformNativeInterface *);
using TGetConfiguration = QJsonObject (*)(QPlatformNativeInterface *);

QPlatformNativeInterface *Native()
{
    return QGuiApplication::platformNativeInterface();
}

void *Resource(const char *AName)
{
    return Native() == nullptr ? nullptr : Native()->nativeResourceForIntegration(AName);
}

} // namespace

TOffscreenScreens::TOffscreenScreens()
{
    if (QGuiApplication::platformName() != "offscreen") {
        FMissing = "needs Qt's offscreen platform to change screens at run time; this runs on " +
                   QGuiApplication::platformName();
        return;
    }
    void *get = Resource("configuration");
    if (get == nullptr || Resource("setConfiguration") == nullptr) {
        FMissing = "this Qt's offscreen platform cannot change its screens at run time";
        return;
    }
    FOriginal = reinterpret_cast<TGetConfiguration>(get)(Native());
    FAvailable = true;
}

TOffscreenScreens::~TOffscreenScreens()
{
    if (FAvailable)
        Apply(FOriginal);
}

void TOffscreenScreens::Set(const std::vector<TScreenSpec> &AScreens)
{
    QJsonArray screens;
    for (const TScreenSpec &screen : AScreens) {
        screens.append(QJsonObject{{"name", screen.Name},
                                   {"x", screen.Geometry.x()},
                                   {"y", screen.Geometry.y()},
                                   {"width", screen.Geometry.width()},
                                   {"height", screen.Geometry.height()},
                                   {"logicalDpi", screen.Dpi},
                                   {"logicalBaseDpi", 96},
                                   {"dpr", 1.0}});
    }
    QJsonObject configuration = FOriginal;
    configuration["screens"] = screens;
    Apply(configuration);
}

void TOffscreenScreens::Apply(const QJsonObject &AConfiguration)
{
    reinterpret_cast<TSetConfiguration>(Resource("setConfiguration"))(AConfiguration, Native());
    // The platform queues what changed; deliver it before the test looks.
    QTest::qWait(1);
}
