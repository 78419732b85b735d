#include "Quarl.LayoutManager.Control.h"

#include "ILayoutManagerControlLayout.h"
#include "Quarl.LayoutManager.Storage.h"
#include "TStorageBracket.h"
#include "TLayoutManagerValues.h"
#include "TQtScreenSource.h"

#include <QWidget>

namespace {

void Fire(const TLayoutManagerNotifyEvent &event, TLayoutManager *sender)
{
    if (event)
        event(sender);
}

// Clears a flag on every way out.
class TFlagBracket {
public:
    explicit TFlagBracket(bool &flag) : FFlag(flag) { FFlag = true; }
    TFlagBracket(const TFlagBracket &) = delete;
    TFlagBracket &operator=(const TFlagBracket &) = delete;
    ~TFlagBracket() { FFlag = false; }

private:
    bool &FFlag;
};

} // namespace

TLayoutManager::TLayoutManager()
    : FScreens(std::make_shared<TQtScreenSource>()), FValues(std::make_unique<TLayoutManagerValues>(this))
{
    FValues->SetSection("Settings");
}

TLayoutManager::~TLayoutManager()
{
    OnBeforeRestore = nullptr;
    OnAfterRestore = nullptr;
    OnBeforeSave = nullptr;
    OnAfterSave = nullptr;
    Clear(false);
}

void TLayoutManager::SetStorage(std::shared_ptr<ILayoutManagerStorage> AValue)
{
    if (FStorage == AValue)
        return;
    FStorage = std::move(AValue);
    for (const auto &record : FList)
        record->SetStorage(FStorage);
}

void TLayoutManager::SetScreenSource(std::shared_ptr<ILayoutScreenSource> AValue)
{
    FScreens = AValue ? std::move(AValue) : std::make_shared<TQtScreenSource>();
}

int TLayoutManager::Append(QObject *AComponent, const std::vector<std::string> &AProps,
                           TLayoutManagerControlOptions AOptions)
{
    auto record = std::make_unique<TLayoutManagerControl>();
    record->SetStorage(FStorage);
    record->SetComponent(AComponent);
    record->SetOptions(AOptions);
    record->SetLayoutManager(this);
    for (const std::string &name : AProps)
        record->AddProperty(name);
    FList.push_back(std::move(record));
    return Count() - 1;
}

int TLayoutManager::Add(QObject *AComponent, const std::vector<std::string> &AProps)
{
    if (AComponent == nullptr || FindComponent(AComponent) >= 0)
        return -1;
    return Append(AComponent, AProps, {});
}

int TLayoutManager::Add(QWidget *AControl, const std::vector<std::string> &AProps,
                        TLayoutManagerControlOptions AOptions, const TLayoutManagerControlLayoutClass &ALayoutClass)
{
    if (AControl == nullptr || FindComponent(AControl) >= 0)
        return -1;
    const int index = Append(AControl, AProps, AOptions);
    if (ALayoutClass) {
        TLayoutManagerControl &record = GetControl(index);
        record.SetLayout(ALayoutClass());
        if (!FRO && record.GetLayout() != nullptr)
            record.GetLayout()->SaveDefault(false);
    }
    return index;
}

void TLayoutManager::Delete(QObject *AComponent)
{
    const int index = FindComponent(AComponent);
    if (index < 0)
        return;
    FList.erase(FList.begin() + index);
    FList.shrink_to_fit();
}

void TLayoutManager::Clear(bool ADeleteData)
{
    for (const auto &record : FList) {
        record->DropLayout();
        if (ADeleteData)
            record->DeleteData();
    }
    FList.clear();
}

void TLayoutManager::Restore()
{
    const TFlagBracket restoring(FRestoring);
    Fire(OnBeforeRestore, this);
    const int count = Count();
    for (int index = 0; index < count; ++index)
        GetControl(index).Restore();
    FValues->Restore();
    Fire(OnAfterRestore, this);
}

void TLayoutManager::Restore(QObject *AComponent)
{
    const int index = FindComponent(AComponent);
    if (index >= 0)
        GetControl(index).Restore();
}

void TLayoutManager::Save()
{
    if (FRO || FRestoring)
        return;
    Fire(OnBeforeSave, this);
    if (FStorage) {
        // One bracket round every record and value: the whole layout reaches the file in one write.
        TStorageBracket bracket(*FStorage, false);
        for (const auto &record : FList)
            record->Save();
        FValues->Save();
        bracket.Close();
    }
    Fire(OnAfterSave, this);
}

void TLayoutManager::Save(QObject *AComponent)
{
    const int index = FindComponent(AComponent);
    if (!FRO && index >= 0)
        GetControl(index).Save();
}

void TLayoutManager::DeleteData()
{
    for (const auto &record : FList)
        record->DeleteData();
}

void TLayoutManager::DeleteData(QObject *AComponent)
{
    const int index = FindComponent(AComponent);
    if (index >= 0)
        GetControl(index).DeleteData();
}

int TLayoutManager::FindComponent(const QObject *AComponent) const
{
    if (AComponent == nullptr)
        return -1;
    for (int index = 0; index < Count(); ++index) {
        if (GetControl(index).GetComponent() == AComponent)
            return index;
    }
    return -1;
}

void TLayoutManager::SetOptions(QWidget *AControl, TLayoutManagerControlOptions AOptions)
{
    const int index = FindComponent(AControl);
    if (index >= 0)
        GetControl(index).SetOptions(AOptions);
}

void TLayoutManager::SetStoredValues(const TLayoutManagerValues &AValue)
{
    FValues->Assign(AValue);
}

TLayoutVariant TLayoutManager::GetValueByName(std::string_view Name) const
{
    return FValues->GetValueByName(Name);
}

void TLayoutManager::SetValueByName(const std::string &Name, TLayoutVariant Value)
{
    FValues->SetValueByName(Name, std::move(Value));
}
