#include "TLayoutManagerValues.h"

#include "ILayoutManagerValuesOwner.h"
#include "TLayoutManagerCipherer.h"
#include "TLayoutManagerValue.h"
#include "TStorageBracket.h"

bool SameValueName(std::string_view left, std::string_view right)
{
    if (left.size() != right.size())
        return false;
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (fold(left[i]) != fold(right[i]))
            return false;
    }
    return true;
}

TLayoutManagerValues::TLayoutManagerValues(ILayoutManagerValuesOwner *AOwner)
    : FLayoutManager(AOwner), FCipherer(std::make_shared<TLayoutManagerCipherer>()), FCph(FCipherer)
{
}

TLayoutManagerValues::~TLayoutManagerValues() = default;

void TLayoutManagerValues::SetCipherer(std::shared_ptr<ILayoutManagerCipherer> AValue)
{
    FCipherer = AValue ? std::move(AValue) : FCph;
}

std::shared_ptr<ILayoutManagerStorage> TLayoutManagerValues::Storage() const
{
    return FLayoutManager ? FLayoutManager->GetStorage() : nullptr;
}

int TLayoutManagerValues::IndexOf(std::string_view AName) const
{
    for (int i = 0; i < Count(); ++i) {
        if (SameValueName(FItems[static_cast<std::size_t>(i)]->GetName(), AName))
            return i;
    }
    return -1;
}

void TLayoutManagerValues::Assign(const TLayoutManagerValues &Source)
{
    if (&Source == this)
        return;
    FItems.clear();
    // The source's names are unique already, so no copy can meet a duplicate.
    for (const auto &item : Source.FItems)
        AddItem().Assign(*item);
}

TLayoutManagerValue &TLayoutManagerValues::AddItem()
{
    return *FItems.emplace_back(std::make_unique<TLayoutManagerValue>(this));
}

TLayoutManagerValue &TLayoutManagerValues::AddItem(const std::string &AName, TLayoutVariant AValue,
                                                   const std::string &AKey)
{
    if (TLayoutManagerValue *existing = GetValue(AName))
        return *existing;
    TLayoutManagerValue &item = AddItem();
    item.SetName(AName);
    item.SetValue(std::move(AValue));
    item.SetKey(AKey);
    return item;
}

TLayoutManagerValue &TLayoutManagerValues::GetItem(int Index) const
{
    return *FItems.at(static_cast<std::size_t>(Index));
}

void TLayoutManagerValues::SetItem(int Index, const TLayoutManagerValue &Value)
{
    GetItem(Index).Assign(Value);
}

TLayoutManagerValue *TLayoutManagerValues::GetValue(std::string_view Name) const
{
    const int index = IndexOf(Name);
    return index < 0 ? nullptr : &GetItem(index);
}

void TLayoutManagerValues::SetValue(std::string_view Name, const TLayoutManagerValue &Value)
{
    if (TLayoutManagerValue *item = GetValue(Name))
        item->Assign(Value);
}

TLayoutVariant TLayoutManagerValues::GetValueByName(std::string_view Name) const
{
    const TLayoutManagerValue *item = GetValue(Name);
    return item ? item->GetValue() : TLayoutVariant();
}

void TLayoutManagerValues::SetValueByName(const std::string &Name, TLayoutVariant Value)
{
    TLayoutManagerValue *item = GetValue(Name);
    if (!item) {
        item = &AddItem();
        item->SetName(Name);
    }
    item->SetValue(std::move(Value));
}

void TLayoutManagerValues::Save()
{
    const auto storage = Storage();
    if (!storage)
        return;
    // Every value in one bracket, so that they reach the file in one write.
    TStorageBracket bracket(*storage, false);
    for (const auto &item : FItems)
        item->Save();
    bracket.Close();
}

void TLayoutManagerValues::Restore()
{
    for (const auto &item : FItems)
        item->Restore();
}
