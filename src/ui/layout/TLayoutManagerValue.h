#pragma once

#include "TLayoutVariant.h"

#include <string>

class TLayoutManagerValues;

// One named setting of a collection: a name unique in the collection (ASCII letter case aside, empty names
// exempt), a value, and an optional key under which it is stored scrambled.
class TLayoutManagerValue final {
public:
    explicit TLayoutManagerValue(TLayoutManagerValues *ACollection) : FCollection(ACollection) {}
    TLayoutManagerValue(const TLayoutManagerValue &) = delete;
    TLayoutManagerValue &operator=(const TLayoutManagerValue &) = delete;

    const std::string &GetName() const { return FName; }
    // Raises ELayoutManager "TLayoutManagerValue: Duplicates not allowed" when another value has the name.
    void SetName(const std::string &AValue);
    const TLayoutVariant &GetValue() const { return FValue; }
    void SetValue(TLayoutVariant AValue) { FValue = std::move(AValue); }
    const std::string &GetKey() const { return FKey; }
    void SetKey(const std::string &AValue) { FKey = AValue; }
    TLayoutManagerValues *Values() const { return FCollection; }
    std::string GetDisplayName() const;

    // Copies the value, then the name (through the duplicate check), then the key.
    void Assign(const TLayoutManagerValue &Source);
    void Clear() { FValue = TLayoutVariant(); }
    // Both close the storage afterwards, also when it raised; without a storage they do nothing.
    void Save();
    // The current value is the default, and its kind decides how the stored text is read.
    void Restore();

private:
    TLayoutVariant RestoredValue(class ILayoutManagerStorage &storage, const std::string &section) const;

    TLayoutManagerValues *FCollection;
    std::string FName;
    TLayoutVariant FValue;
    std::string FKey;
};
