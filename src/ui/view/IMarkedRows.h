#pragma once

#include <QColor>

// What a report-style list tells the delegate that draws its rows: the one row whose text
// has its own colour, that colour, and the fixed height of every row.
class IMarkedRows {
public:
    virtual ~IMarkedRows() = default;
    // The marked row's index, or -1 for none (asked at every paint).
    virtual int MarkedRow() const = 0;
    virtual QColor MarkColour() const = 0;
    virtual int RowHeight() const = 0;
};
