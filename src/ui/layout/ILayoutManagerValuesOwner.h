#pragma once

#include <memory>

class ILayoutManagerStorage;

// What a value collection needs of its layout manager: the storage to save to and restore from, or none.
class ILayoutManagerValuesOwner {
public:
    ILayoutManagerValuesOwner() = default;
    ILayoutManagerValuesOwner(const ILayoutManagerValuesOwner &) = delete;
    ILayoutManagerValuesOwner &operator=(const ILayoutManagerValuesOwner &) = delete;
    virtual ~ILayoutManagerValuesOwner() = default;

    virtual std::shared_ptr<ILayoutManagerStorage> GetStorage() const = 0;
};
