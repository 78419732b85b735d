#pragma once

#include <QPointer>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class ILayoutManagerControlLayout;
class ILayoutManagerStorage;
class QObject;
class TLayoutManager;
class QWidget;
class TPropInfoList;

enum class TLayoutManagerControlOption : std::uint8_t { loPosition = 0, loSize = 1, loState = 2, loStyle = 3 };

// Bit n for the option of ordinal n.
class TLayoutManagerControlOptions {
public:
    constexpr TLayoutManagerControlOptions() = default;
    constexpr TLayoutManagerControlOptions(std::initializer_list<TLayoutManagerControlOption> AOptions)
    {
        for (const auto option : AOptions)
            FBits = static_cast<std::uint8_t>(FBits | Bit(option));
    }
    static constexpr TLayoutManagerControlOptions FromByte(std::uint8_t ABits)
    {
        TLayoutManagerControlOptions options;
        options.FBits = static_cast<std::uint8_t>(ABits & 15U);
        return options;
    }

    constexpr bool Contains(TLayoutManagerControlOption AOption) const { return (FBits & Bit(AOption)) != 0; }
    constexpr TLayoutManagerControlOptions Without(TLayoutManagerControlOption AOption) const
    {
        return FromByte(static_cast<std::uint8_t>(FBits & ~Bit(AOption)));
    }
    constexpr std::uint8_t ToByte() const { return FBits; }
    constexpr bool operator==(const TLayoutManagerControlOptions &) const = default;

private:
    static constexpr std::uint8_t Bit(TLayoutManagerControlOption AOption)
    {
        return static_cast<std::uint8_t>(1U << static_cast<unsigned>(AOption));
    }

    std::uint8_t FBits = 0;
};

// One registered component: where it is stored, which geometry groups and which properties persist.
class TLayoutManagerControl final {
public:
    TLayoutManagerControl();
    TLayoutManagerControl(const TLayoutManagerControl &) = delete;
    TLayoutManagerControl &operator=(const TLayoutManagerControl &) = delete;
    ~TLayoutManagerControl();

    const std::shared_ptr<ILayoutManagerStorage> &GetStorage() const { return FStorage; }
    // Closes the storage held before when it is another one.
    void SetStorage(std::shared_ptr<ILayoutManagerStorage> AValue);
    // None once the component is destroyed; the record then does nothing.
    QObject *GetComponent() const { return FComponent.data(); }
    // Clears the options of anything that is not a widget and lists the component's persistable properties.
    void SetComponent(QObject *AValue);
    // Sorted without regard to letter case; a duplicate in any case is dropped.
    const std::vector<std::string> &GetProperties() const { return FProps; }
    void AddProperty(const std::string &AName);
    TLayoutManagerControlOptions GetOptions() const { return FOptions; }
    // Ignored for components that are not widgets.
    void SetOptions(TLayoutManagerControlOptions AValue);
    ILayoutManagerControlLayout *GetLayout() const { return FLayout.get(); }
    // Takes ownership and makes this record the extension's control.
    void SetLayout(std::unique_ptr<ILayoutManagerControlLayout> AValue);
    // Detaches the extension from this record and drops it.
    void DropLayout();
    TLayoutManager *GetLayoutManager() const { return FLM; }
    void SetLayoutManager(TLayoutManager *AValue) { FLM = AValue; }
    const TPropInfoList *GetPropList() const { return FPropList.get(); }

    std::string Section() const;
    // Storage errors propagate after the storage is closed.
    void Save();
    void Restore();
    void DeleteData();

private:
    void RestoreForm(QWidget &AForm);
    void RestoreControl(QWidget &AControl);
    void RestoreProperties(QObject &AComponent);
    // Where a plain component name is looked up when the component has no owner: the manager's form, else the
    // application's main form.
    QObject *ReferenceHome() const;
    void SaveForm(QWidget &AForm);
    void SaveControl(QWidget &AControl);
    void SaveProperties(QObject &AComponent);

    std::shared_ptr<ILayoutManagerStorage> FStorage;
    QPointer<QObject> FComponent;
    // Taken at registration: a form saved from its base class destructor no longer reports its own class.
    std::string FClassName;
    std::vector<std::string> FProps;
    std::unique_ptr<TPropInfoList> FPropList;
    std::unique_ptr<ILayoutManagerControlLayout> FLayout;
    TLayoutManagerControlOptions FOptions;
    TLayoutManager *FLM = nullptr;
};
