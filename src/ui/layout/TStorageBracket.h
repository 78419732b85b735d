#pragma once

#include "Quarl.LayoutManager.Storage.h"

// Opens the storage for one batch of reads or writes and closes it on every way out. Close on the normal
// path, so that a refused write raises to the caller; when an error already leaves the batch, the
// destructor closes quietly and that error wins.
class TStorageBracket {
public:
    TStorageBracket(ILayoutManagerStorage &storage, bool readOnly) : FStorage(storage) { FStorage.Open(readOnly); }
    TStorageBracket(const TStorageBracket &) = delete;
    TStorageBracket &operator=(const TStorageBracket &) = delete;
    ~TStorageBracket()
    {
        if (!FOpen)
            return;
        try {
            FStorage.Close();
        } catch (...) {
        }
    }

    void Close()
    {
        FOpen = false;
        FStorage.Close();
    }

private:
    ILayoutManagerStorage &FStorage;
    bool FOpen = true;
};
