#pragma once

#include <QColor>

class QTableView;
class QTreeView;

// The look and behaviour shared by the view's report-style lists (the genre, title and
// history lists): flat rows of fixed height under a clickable heading, one full row
// selected at a time, the list's own background and text colours.
namespace ReportListStyle {
void Apply(QTreeView* list, QRgb background, QRgb text);
// The same for a table of rows `rowHeight` high without grid or row headings.
void Apply(QTableView* list, QRgb background, QRgb text, int rowHeight);
}  // namespace ReportListStyle
