#pragma once

// A list of the main view as the reorder dialogs see it: where its visible page starts,
// how many rows a page holds, and a way to rebuild it from the library after a move.
class IOrderedList {
public:
    virtual ~IOrderedList() = default;
    // The first visible row (0 for an empty list).
    virtual int TopIndex() const = 0;
    // Whole rows a page holds.
    virtual int CountPerPage() const = 0;
    // Rebuilds the list from the library; the current entry's index, or -1.
    virtual int Refill() = 0;
};
