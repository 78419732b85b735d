#pragma once

#include <string>

class QObject;

// How the Qt object tree stands in for component ownership. A component's owner is its nearest ancestor that
// is a form, a frame or not a widget at all: plain container widgets in between only lay their children out.
// A form is a top-level widget; a frame is a widget whose class declares Q_CLASSINFO("LayoutFrame", "true").
bool IsForm(const QObject &AComponent);
bool IsFrame(const QObject &AComponent);
QObject *OwnerOf(const QObject &AComponent);

// The storage section of a registered component: the class name for forms, frames and components without
// owner; otherwise the component's name behind the owners' class names, up to and including the first form
// or frame, each followed by a backslash. AClassName is the component's own class name.
std::string SectionOf(const QObject &AComponent, const std::string &AClassName);
