#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// The About box's links and how they open.
inline const QString AuthorEmailLink = QStringLiteral("mailto:vorlix@quarl.example");
inline const QString HomepageLink = QStringLiteral("https://quarl.example/vorlix");

// The text a link is shown as: without its "mailto:", "http://" or "https://" prefix.
QString LinkCaption(const QString &Link);

// Opens a link with the system's handler; true when it was handed over.
using TOpenLink = std::function<bool(const QUrl &)>;

// Replaces how links open (QDesktopServices::openUrl unless replaced; an empty hook restores that)
// and returns the hook that was in place.
TOpenLink SetOpenLinkHook(TOpenLink Hook);

// Opens Link through the hook; a link that cannot be opened is ignored, without a message.
void OpenLink(const QString &Link);
