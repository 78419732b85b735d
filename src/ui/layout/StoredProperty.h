#pragma once

#include <string>

class ILayoutManagerStorage;
class QObject;
struct TPropInfo;

// Where one registered property of a component is stored.
struct TStoredPropertyPlace {
    ILayoutManagerStorage &Storage;
    std::string Section;
    // The name as registered: a string list's sub-section is the section, a backslash and this name.
    std::string RegisteredName;
    // Where a component reference without form name is looked up when the component has no owner.
    QObject *FallbackOwner;
};

void SaveProperty(const TStoredPropertyPlace &APlace, QObject &AComponent, const TPropInfo &AInfo);
// Absent or unusable values leave the property as it is.
void RestoreProperty(const TStoredPropertyPlace &APlace, QObject &AComponent, const TPropInfo &AInfo);
