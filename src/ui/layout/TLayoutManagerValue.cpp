#include "TLayoutManagerValue.h"

#include "ELayoutManager.h"
#include "Quarl.LayoutManager.Storage.h"
#include "TLayoutManagerCipherer.h"
#include "TLayoutManagerValues.h"
#include "TStorageBracket.h"

void TLayoutManagerValue::SetName(const std::string &AValue)
{
    if (!AValue.empty() && !SameValueName(AValue, FName) && FCollection && FCollection->IndexOf(AValue) >= 0)
        throw ELayoutManager("TLayoutManagerValue: Duplicates not allowed");
    FName = AValue;
}

std::string TLayoutManagerValue::GetDisplayName() const
{
    return FName.empty() ? "TLayoutManagerValue" : FName;
}

void TLayoutManagerValue::Assign(const TLayoutManagerValue &Source)
{
    FValue = Source.FValue;
    SetName(Source.FName);
    FKey = Source.FKey;
}

void TLayoutManagerValue::Save()
{
    auto shared = FCollection ? FCollection->Storage() : nullptr;
    if (!shared)
        return;
    ILayoutManagerStorage &storage = *shared;
    TStorageBracket bracket(storage, false);
    const std::string &section = FCollection->GetSection();
    if (!FKey.empty()) {
        storage.WriteString(section, FName, FCollection->GetCipherer()->EncryptText(FValue.Text(), FKey));
    } else if (FValue.IsIntegerKind()) {
        storage.WriteInteger(section, FName, FValue.AsInt64());
    } else if (FValue.IsFloatKind()) {
        storage.WriteFloat(section, FName, FValue.AsDouble());
    } else if (FValue.Kind() == TLayoutVarKind::DateTime) {
        storage.WriteDatetime(section, FName, FValue.AsDateTime());
    } else if (FValue.Kind() == TLayoutVarKind::Boolean) {
        storage.WriteBoolean(section, FName, FValue.AsBoolean());
    } else {
        storage.WriteString(section, FName, FValue.Text());
    }
    bracket.Close();
}

TLayoutVariant TLayoutManagerValue::RestoredValue(ILayoutManagerStorage &storage, const std::string &section) const
{
    if (!FKey.empty()) {
        ILayoutManagerCipherer &cipherer = *FCollection->GetCipherer();
        const std::string text = storage.ReadString(section, FName, cipherer.EncryptText(FValue.Text(), FKey));
        return TLayoutVariant(cipherer.DecryptText(text, FKey));
    }
    if (FValue.IsIntegerKind())
        return TLayoutVariant(storage.ReadInteger(section, FName, FValue.AsInt64()));
    if (FValue.IsFloatKind())
        return TLayoutVariant(storage.ReadFloat(section, FName, FValue.AsDouble()));
    if (FValue.Kind() == TLayoutVarKind::DateTime)
        return TLayoutVariant(storage.ReadDatetime(section, FName, FValue.AsDateTime()));
    if (FValue.Kind() == TLayoutVarKind::Boolean)
        return TLayoutVariant(storage.ReadBoolean(section, FName, FValue.AsBoolean()));
    return TLayoutVariant(storage.ReadString(section, FName, FValue.Text()));
}

void TLayoutManagerValue::Restore()
{
    auto shared = FCollection ? FCollection->Storage() : nullptr;
    if (!shared)
        return;
    TStorageBracket bracket(*shared, true);
    FValue = RestoredValue(*shared, FCollection->GetSection());
    bracket.Close();
}
