#pragma once

class TLayoutManagerControl;

// Persists layout details of one record beyond the standard keys, in the record's section plus "\Layout".
class ILayoutManagerControlLayout {
public:
    ILayoutManagerControlLayout() = default;
    ILayoutManagerControlLayout(const ILayoutManagerControlLayout &) = delete;
    ILayoutManagerControlLayout &operator=(const ILayoutManagerControlLayout &) = delete;
    virtual ~ILayoutManagerControlLayout() = default;

    virtual TLayoutManagerControl *GetControl() const = 0;
    virtual void SetControl(TLayoutManagerControl *AValue) = 0;
    virtual void SaveDefault(bool AForce) = 0;
    virtual void Save() = 0;
    virtual void RestoreDefault() = 0;
    virtual void Restore() = 0;
    virtual void DeleteData() = 0;
};
