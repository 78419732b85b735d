#pragma once

#include <memory>

class TLayoutManagerINIStorage;

// The one storage over the settings file. Start-up creates it once the settings path is known; the main
// window hands it to its layout manager and later layout-managed forms share it. Empty before start-up.
std::shared_ptr<TLayoutManagerINIStorage> &LayoutStorage();
