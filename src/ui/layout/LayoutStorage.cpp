#include "LayoutStorage.h"

#include "Quarl.LayoutManager.Storage.h"

std::shared_ptr<TLayoutManagerINIStorage> &LayoutStorage()
{
    static std::shared_ptr<TLayoutManagerINIStorage> storage;
    return storage;
}
