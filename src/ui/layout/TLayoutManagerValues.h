#pragma once

#include "TLayoutVariant.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ILayoutManagerCipherer;
class ILayoutManagerStorage;
class ILayoutManagerValuesOwner;
class TLayoutManagerValue;

// The named settings of one layout manager, all stored in one section.
class TLayoutManagerValues final {
public:
    explicit TLayoutManagerValues(ILayoutManagerValuesOwner *AOwner);
    TLayoutManagerValues(const TLayoutManagerValues &) = delete;
    TLayoutManagerValues &operator=(const TLayoutManagerValues &) = delete;
    ~TLayoutManagerValues();

    const std::string &GetSection() const { return FSection; }
    void SetSection(const std::string &AValue) { FSection = AValue; }
    ILayoutManagerValuesOwner *GetLayoutManager() const { return FLayoutManager; }
    void SetLayoutManager(ILayoutManagerValuesOwner *AValue) { FLayoutManager = AValue; }
    const std::shared_ptr<ILayoutManagerCipherer> &GetCipherer() const { return FCipherer; }
    // None selects the built-in cipherer again.
    void SetCipherer(std::shared_ptr<ILayoutManagerCipherer> AValue);
    std::shared_ptr<ILayoutManagerStorage> Storage() const;

    int Count() const { return static_cast<int>(FItems.size()); }
    // First value named AName in any ASCII letter case; -1 when none.
    int IndexOf(std::string_view AName) const;
    TLayoutManagerValue &AddItem();
    // Declares a value; an existing value of that name keeps its value and key.
    TLayoutManagerValue &AddItem(const std::string &AName, TLayoutVariant AValue, const std::string &AKey = {});
    TLayoutManagerValue &GetItem(int Index) const;
    void SetItem(int Index, const TLayoutManagerValue &Value);
    TLayoutManagerValue *GetValue(std::string_view Name) const;
    void SetValue(std::string_view Name, const TLayoutManagerValue &Value);
    TLayoutVariant GetValueByName(std::string_view Name) const;
    // Appends a value without key when the name is new.
    void SetValueByName(const std::string &Name, TLayoutVariant Value);

    // Replaces the values by copies of Source's, in its order; section and cipherer stay.
    void Assign(const TLayoutManagerValues &Source);

    void Save();
    void Restore();

private:
    ILayoutManagerValuesOwner *FLayoutManager;
    std::string FSection;
    std::shared_ptr<ILayoutManagerCipherer> FCipherer;
    std::shared_ptr<ILayoutManagerCipherer> FCph;
    std::vector<std::unique_ptr<TLayoutManagerValue>> FItems;
};

// ASCII letters only, as value names compare.
bool SameValueName(std::string_view left, std::string_view right);
