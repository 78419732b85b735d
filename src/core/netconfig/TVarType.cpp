#include "TVarType.h"

const char *VarTypeName(TVarType type)
{
    switch (type) {
    case TVarType::Empty: return "Empty";
    case TVarType::Null: return "Null";
    case TVarType::Boolean: return "Boolean";
    case TVarType::Byte: return "Byte";
    case TVarType::Word: return "Word";
    case TVarType::Cardinal: return "Cardinal";
    case TVarType::Integer: return "Integer";
    case TVarType::Int64: return "Int64";
    case TVarType::Single: return "Single";
    case TVarType::Double: return "Double";
    case TVarType::Extended: return "Extended";
    case TVarType::String: return "String";
    case TVarType::IPv4: return "IPv4";
    case TVarType::IPv6: return "IPv6";
    }
    return "unknown";
}
