#pragma once

#include "ILayoutManagerValuesOwner.h"
#include "TLayoutManagerControl.h"
#include "TLayoutManagerControlLayout.h"
#include "TLayoutVariant.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ILayoutManagerStorage;
class ILayoutScreenSource;
class QObject;
class QWidget;
class TLayoutManagerValues;
class TLayoutManager;

// The sender is always the layout manager itself.
using TLayoutManagerNotifyEvent = std::function<void(TLayoutManager *Sender)>;

// Remembers the registered components of one form and its named values. Saves and restores go through the
// storage; its errors close it and reach the caller.
class TLayoutManager final : public ILayoutManagerValuesOwner {
public:
    TLayoutManager();
    ~TLayoutManager() override;

    std::shared_ptr<ILayoutManagerStorage> GetStorage() const override { return FStorage; }
    // Hands the storage to every record; records that held another one close it first.
    void SetStorage(std::shared_ptr<ILayoutManagerStorage> AValue);
    // Qt's screens unless another source is set.
    const ILayoutScreenSource &GetScreenSource() const { return *FScreens; }
    void SetScreenSource(std::shared_ptr<ILayoutScreenSource> AValue);
    int Count() const { return static_cast<int>(FList.size()); }
    bool GetReadOnly() const { return FRO; }
    void SetReadOnly(bool AValue) { FRO = AValue; }
    bool GetRestoring() const { return FRestoring; }
    TLayoutManagerValues &StoredValues() const { return *FValues; }
    // Copies AValue's values into the manager's own collection.
    void SetStoredValues(const TLayoutManagerValues &AValue);
    QWidget *GetOwner() const { return FOwner; }
    void SetOwner(QWidget *AValue) { FOwner = AValue; }

    TLayoutManagerNotifyEvent OnBeforeRestore;
    TLayoutManagerNotifyEvent OnAfterRestore;
    TLayoutManagerNotifyEvent OnBeforeSave;
    TLayoutManagerNotifyEvent OnAfterSave;

    // A component without geometry; -1 for none or one already registered.
    int Add(QObject *AComponent, const std::vector<std::string> &AProps);
    // -1 for none or one already registered.
    int Add(QWidget *AControl, const std::vector<std::string> &AProps, TLayoutManagerControlOptions AOptions,
            const TLayoutManagerControlLayoutClass &ALayoutClass = {});
    void Delete(QObject *AComponent);
    void Clear(bool ADeleteData);
    void Restore();
    void Restore(QObject *AComponent);
    void Save();
    void Save(QObject *AComponent);
    void DeleteData();
    void DeleteData(QObject *AComponent);
    int FindComponent(const QObject *AComponent) const;
    void SetOptions(QWidget *AControl, TLayoutManagerControlOptions AOptions);
    TLayoutManagerControl &GetControl(int AIndex) const { return *FList.at(static_cast<std::size_t>(AIndex)); }
    TLayoutVariant GetValueByName(std::string_view Name) const;
    void SetValueByName(const std::string &Name, TLayoutVariant Value);

private:
    int Append(QObject *AComponent, const std::vector<std::string> &AProps, TLayoutManagerControlOptions AOptions);

    std::vector<std::unique_ptr<TLayoutManagerControl>> FList;
    std::shared_ptr<ILayoutManagerStorage> FStorage;
    std::shared_ptr<ILayoutScreenSource> FScreens;
    QWidget *FOwner = nullptr;
    std::unique_ptr<TLayoutManagerValues> FValues;
    bool FRestoring = false;
    bool FRO = false;
};
