#include "TPropInfoList.h"

#include "TLayoutManagerValues.h"

#include <QMetaObject>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

std::optional<TPropKind> KindOf(const QMetaProperty &property)
{
    if (property.isFlagType())
        return TPropKind::Set;
    if (property.isEnumType())
        return TPropKind::Enumeration;
    const QMetaType type = property.metaType();
    if (type.flags().testFlag(QMetaType::PointerToQObject))
        return TPropKind::Component;
    switch (type.id()) {
    case QMetaType::Bool:
        return TPropKind::Enumeration;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return TPropKind::Integer;
    case QMetaType::Float:
    case QMetaType::Double:
        return TPropKind::Float;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return TPropKind::String;
    case QMetaType::QStringList:
        return TPropKind::StringList;
    default:
        return std::nullopt;
    }
}

} // namespace

TPropInfoList::TPropInfoList(const QMetaObject &AClass)
{
    for (int index = 0; index < AClass.propertyCount(); ++index) {
        const QMetaProperty property = AClass.property(index);
        if (!property.isReadable() || !property.isWritable() || !property.isStored())
            continue;
        if (const auto kind = KindOf(property))
            FList.push_back({property, *kind});
    }
    std::stable_sort(FList.begin(), FList.end(), [](const TPropInfo &left, const TPropInfo &right) {
        return std::string_view(left.Name()) < std::string_view(right.Name());
    });
}

const TPropInfo *TPropInfoList::Find(std::string_view AName) const
{
    const auto found = std::find_if(FList.begin(), FList.end(),
                                    [&](const TPropInfo &info) { return SameValueName(info.Name(), AName); });
    return found == FList.end() ? nullptr : &*found;
}

bool TPropInfoList::Contains(const TPropInfo &A) const
{
    return std::any_of(FList.begin(), FList.end(), [&](const TPropInfo &info) {
        return info.Property.metaType() == A.Property.metaType() && SameValueName(info.Name(), A.Name());
    });
}
