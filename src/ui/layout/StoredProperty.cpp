#include "StoredProperty.h"

#include "ComponentTree.h"
#include "Quarl.LayoutManager.Storage.h"
#include "TPropInfoList.h"

#include <QApplication>
#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace {

std::string SubSection(const TStoredPropertyPlace &place)
{
    return place.Section + "\\" + place.RegisteredName;
}

QObject *ReferencedObject(const QObject &component, const TPropInfo &info)
{
    const QVariant value = info.Property.read(&component);
    return value.isValid() ? *static_cast<QObject *const *>(value.constData()) : nullptr;
}

QObject *FindOwned(const QObject &owner, const QString &name)
{
    for (QObject *child : owner.findChildren<QObject *>()) {
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0 && OwnerOf(*child) == &owner)
            return child;
    }
    return nullptr;
}

QObject *FindReferenced(const TStoredPropertyPlace &place, const QObject &component, const QString &text)
{
    const qsizetype dot = text.indexOf(u'.');
    if (dot >= 0) {
        const QString formName = text.left(dot);
        for (QWidget *form : QApplication::topLevelWidgets()) {
            if (form->objectName().compare(formName, Qt::CaseInsensitive) == 0)
                return FindOwned(*form, text.mid(dot + 1));
        }
        return nullptr;
    }
    const QObject *owner = OwnerOf(component);
    if (owner == nullptr)
        owner = place.FallbackOwner;
    return owner == nullptr ? nullptr : FindOwned(*owner, text);
}

QString ReferenceText(const QObject &component, const QObject &referenced)
{
    const QObject *ownHome = OwnerOf(component);
    const QObject *home = OwnerOf(referenced);
    const QString ownHomeName = ownHome == nullptr ? QString() : ownHome->objectName();
    const QString homeName = home == nullptr ? QString() : home->objectName();
    if (homeName.compare(ownHomeName, Qt::CaseInsensitive) != 0)
        return homeName + u'.' + referenced.objectName();
    return referenced.objectName();
}

void SaveStringList(const TStoredPropertyPlace &place, const QStringList &lines)
{
    const std::string section = SubSection(place);
    // An emptied list drops the lines of an earlier save, so they do not come back on restore.
    place.Storage.DeleteSection(section);
    if (lines.isEmpty())
        return;
    place.Storage.WriteInteger(section, "Count", lines.size());
    for (qsizetype index = 0; index < lines.size(); ++index)
        place.Storage.WriteString(section, std::to_string(index), lines[index].toStdString());
}

void RestoreStringList(const TStoredPropertyPlace &place, QObject &component, const TPropInfo &info)
{
    const std::string section = SubSection(place);
    const auto count = place.Storage.ReadInteger(section, "Count", 0);
    if (count < 1)
        return;
    QStringList lines = info.Property.read(&component).toStringList();
    for (std::int64_t index = 0; index < count; ++index)
        lines.append(QString::fromStdString(place.Storage.ReadString(section, std::to_string(index), {})));
    info.Property.write(&component, lines);
}

void RestoreReference(const TStoredPropertyPlace &place, QObject &component, const TPropInfo &info)
{
    const QString text = QString::fromStdString(place.Storage.ReadString(place.Section, info.Name(), {}));
    if (text.isEmpty())
        return;
    QObject *found = FindReferenced(place, component, text);
    const QMetaObject *declared = info.Property.metaType().metaObject();
    if (found == nullptr || declared == nullptr || !found->metaObject()->inherits(declared))
        return;
    info.Property.write(&component, QVariant(info.Property.metaType(), &found));
}

} // namespace

void SaveProperty(const TStoredPropertyPlace &APlace, QObject &AComponent, const TPropInfo &AInfo)
{
    const QVariant value = AInfo.Property.read(&AComponent);
    switch (AInfo.Kind) {
    case TPropKind::Integer:
    case TPropKind::Enumeration:
    case TPropKind::Set:
        APlace.Storage.WriteInteger(APlace.Section, AInfo.Name(), value.toLongLong());
        break;
    case TPropKind::String:
        APlace.Storage.WriteString(APlace.Section, AInfo.Name(), value.toString().toStdString());
        break;
    case TPropKind::Float:
        APlace.Storage.WriteFloat(APlace.Section, AInfo.Name(), value.toDouble());
        break;
    case TPropKind::StringList:
        SaveStringList(APlace, value.toStringList());
        break;
    case TPropKind::Component:
        if (const QObject *referenced = ReferencedObject(AComponent, AInfo))
            APlace.Storage.WriteString(APlace.Section, AInfo.Name(), ReferenceText(AComponent, *referenced).toStdString());
        else
            APlace.Storage.DeleteValue(APlace.Section, AInfo.Name());
        break;
    }
}

void RestoreProperty(const TStoredPropertyPlace &APlace, QObject &AComponent, const TPropInfo &AInfo)
{
    const QVariant current = AInfo.Property.read(&AComponent);
    switch (AInfo.Kind) {
    case TPropKind::Integer:
    case TPropKind::Set:
        AInfo.Property.write(&AComponent,
                             QVariant::fromValue<qlonglong>(APlace.Storage.ReadInteger(APlace.Section, AInfo.Name(), current.toLongLong())));
        break;
    case TPropKind::Enumeration:
        if (AInfo.Property.metaType().id() == QMetaType::Bool)
            AInfo.Property.write(&AComponent, APlace.Storage.ReadInteger(APlace.Section, AInfo.Name(), current.toBool() ? 1 : 0) != 0);
        else
            AInfo.Property.write(&AComponent,
                                 QVariant::fromValue<int>(static_cast<int>(APlace.Storage.ReadInteger(APlace.Section, AInfo.Name(), current.toLongLong()))));
        break;
    case TPropKind::String:
        AInfo.Property.write(&AComponent, QString::fromStdString(APlace.Storage.ReadString(
                                              APlace.Section, AInfo.Name(), current.toString().toStdString())));
        break;
    case TPropKind::Float:
        AInfo.Property.write(&AComponent, APlace.Storage.ReadFloat(APlace.Section, AInfo.Name(), current.toDouble()));
        break;
    case TPropKind::StringList:
        RestoreStringList(APlace, AComponent, AInfo);
        break;
    case TPropKind::Component:
        RestoreReference(APlace, AComponent, AInfo);
        break;
    }
}
