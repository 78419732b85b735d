#pragma once

#include <QMetaProperty>

#include <string_view>
#include <vector>

class QMetaObject;

// How a persistable property is stored.
enum class TPropKind {
    Integer,     // every integer type, 8 to 64 bits, signed or not
    Enumeration, // enumerations and bool
    Set,         // flags
    String,      // QString and QByteArray
    Float,       // float and double
    StringList,  // QStringList, kept in a sub-section of its own
    Component,   // a pointer to a QObject descendant
};

// One persistable property of a class.
struct TPropInfo {
    QMetaProperty Property;
    TPropKind Kind;

    const char *Name() const { return Property.name(); }
};

// The persistable properties of one class, sorted by name. A property is persistable when it can be read,
// written and stored; character types other than the 8-bit ones are left out, as no key form carries them.
class TPropInfoList final {
public:
    explicit TPropInfoList(const QMetaObject &AClass);

    int Count() const { return static_cast<int>(FList.size()); }
    const TPropInfo &Get(int AIndex) const { return FList.at(static_cast<std::size_t>(AIndex)); }
    // First entry whose name equals AName in any ASCII letter case.
    const TPropInfo *Find(std::string_view AName) const;
    // An entry of the same type and, in any letter case, the same name.
    bool Contains(const TPropInfo &A) const;

private:
    std::vector<TPropInfo> FList;
};
