#include "TLayoutManagerControlLayout.h"

#include "Quarl.LayoutManager.Storage.h"
#include "TLayoutManagerControl.h"

void TLayoutManagerControlLayout::DeleteData()
{
    if (FLMC == nullptr || !FLMC->GetStorage())
        return;
    FLMC->GetStorage()->DeleteSection(Section());
}

std::string TLayoutManagerControlLayout::Section() const
{
    return FLMC == nullptr ? std::string() : FLMC->Section() + "\\Layout";
}
