#include "AboutLinks.h"

#include <QDesktopServices>

#include <array>
#include <utility>

namespace {

TOpenLink &Hook()
{
    static TOpenLink hook;
    return hook;
}

} // namespace

QString LinkCaption(const QString &Link)
{
    // "https://" is eight characters, so cutting a fixed seven would leave a stray slash.
    for (const QLatin1StringView scheme : std::array{QLatin1StringView("mailto:"), QLatin1StringView("http://"),
                                                     QLatin1StringView("https://")}) {
        if (Link.startsWith(scheme, Qt::CaseInsensitive))
            return Link.mid(scheme.size());
    }
    return Link;
}

TOpenLink SetOpenLinkHook(TOpenLink NewHook)
{
    return std::exchange(Hook(), std::move(NewHook));
}

void OpenLink(const QString &Link)
{
    const QUrl url(Link);
    if (Hook())
        Hook()(url);
    else
        QDesktopServices::openUrl(url);
}
