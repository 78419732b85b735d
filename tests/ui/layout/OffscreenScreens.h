#pragma once

#include <QJsonObject>
#include <QRect>
#include <QString>

#include <vector>

// One screen of the offscreen platform: geometry in device pixels and the DPI a user would set.
struct TScreenSpec {
    QString Name;
    QRect Geometry;
    int Dpi = 96;
};

// Changes the screens of Qt's offscreen platform while the program runs, so tests meet the signals and events
// of real QScreens. The screens found at construction come back at destruction. The screen named "" is the
// platform's first, which stays the primary one.
class TOffscreenScreens {
public:
    TOffscreenScreens();
    ~TOffscreenScreens();
    TOffscreenScreens(const TOffscreenScreens &) = delete;
    TOffscreenScreens &operator=(const TOffscreenScreens &) = delete;

    // False, with the reason in Missing(), where the platform is not offscreen or cannot change its screens.
    bool Available() const { return FAvailable; }
    const QString &Missing() const { return FMissing; }

    void Set(const std::vector<TScreenSpec> &AScreens);

private:
    void Apply(const QJsonObject &AConfiguration);

    bool FAvailable = false;
    QString FMissing;
    QJsonObject FOriginal;
};
