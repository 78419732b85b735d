#pragma once

#include <QTreeWidgetItem>

#include <cstdint>

class Twnd_vx_Main;

// The record behind one row of the interface list. The counters are 0 until the next list refresh; the
// snapshot index is valid until the next rebuild, which always follows a snapshot refresh.
struct TInterfaceRow {
    std::uint32_t IntfIdx = 0;
    std::uint64_t Received = 0;
    std::uint64_t Sent = 0;
    std::uint16_t SnapshotIndex = 0;
};

// A row of the interface list. It holds its record and the check state the user last saw, and asks the main
// window for its texts, icon and font on every paint, so a refresh only stores new counters and repaints.
class TInterfaceRowItem final : public QTreeWidgetItem {
public:
    TInterfaceRowItem(const Twnd_vx_Main &Owner, const TInterfaceRow &ARow, bool AChecked);

    TInterfaceRow Row;
    // The check state as last set in code or acted on; a check box change that differs is the user's.
    bool Checked;

    QVariant data(int column, int role) const override;

private:
    const Twnd_vx_Main &FOwner;
};
