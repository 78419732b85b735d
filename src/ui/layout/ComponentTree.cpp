#include "ComponentTree.h"

#include <QMetaClassInfo>
#include <QWidget>

#include <cstring>

bool IsForm(const QObject &AComponent)
{
    return AComponent.isWidgetType() && static_cast<const QWidget &>(AComponent).isWindow();
}

bool IsFrame(const QObject &AComponent)
{
    if (!AComponent.isWidgetType())
        return false;
    const QMetaObject &meta = *AComponent.metaObject();
    const int index = meta.indexOfClassInfo("LayoutFrame");
    return index >= 0 && std::strcmp(meta.classInfo(index).value(), "true") == 0;
}

QObject *OwnerOf(const QObject &AComponent)
{
    QObject *owner = AComponent.parent();
    while (owner != nullptr && owner->isWidgetType() && !IsForm(*owner) && !IsFrame(*owner))
        owner = owner->parent();
    return owner;
}

std::string SectionOf(const QObject &AComponent, const std::string &AClassName)
{
    const QObject *owner = OwnerOf(AComponent);
    if (IsForm(AComponent) || IsFrame(AComponent) || owner == nullptr)
        return AClassName;
    std::string section = AComponent.objectName().toStdString();
    for (; owner != nullptr; owner = OwnerOf(*owner)) {
        section = std::string(owner->metaObject()->className()) + "\\" + section;
        if (IsForm(*owner) || IsFrame(*owner))
            break;
    }
    return section;
}
