#pragma once

#include "ILayoutManagerControlLayout.h"

#include <functional>
#include <memory>
#include <string>

// Base of layout extensions: keeps the owning record and deletes the extension's sub-section.
class TLayoutManagerControlLayout : public ILayoutManagerControlLayout {
public:
    TLayoutManagerControl *GetControl() const override { return FLMC; }
    void SetControl(TLayoutManagerControl *AValue) override { FLMC = AValue; }
    void DeleteData() override;

protected:
    // The record's section followed by "\Layout"; empty without a record.
    std::string Section() const;

private:
    TLayoutManagerControl *FLMC = nullptr;
};

// Makes a fresh extension for a record being registered.
using TLayoutManagerControlLayoutClass = std::function<std::unique_ptr<ILayoutManagerControlLayout>()>;
