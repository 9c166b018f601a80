#include "view/ReportListStyle.h"

#include "view/ViewStyle.h"

#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

namespace {

void ApplyCommon(QAbstractItemView* list, QHeaderView* header, QRgb background, QRgb text)
{
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setFocusPolicy(Qt::StrongFocus);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(8);

    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, QColor(background));
    pal.setColor(QPalette::AlternateBase, QColor(background));
    pal.setColor(QPalette::Text, QColor(text));
    pal.setColor(QPalette::Highlight, QColor(ViewStyle::kSelectionBack));
    pal.setColor(QPalette::HighlightedText, QColor(text));
    list->setPalette(pal);
}

}  // namespace

namespace ReportListStyle {

void Apply(QTreeView* list, QRgb background, QRgb text)
{
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setIndentation(0);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    ApplyCommon(list, list->header(), background, text);
}

void Apply(QTableView* list, QRgb background, QRgb text, int rowHeight)
{
    list->setShowGrid(false);
    list->setWordWrap(false);
    list->setCornerButtonEnabled(false);
    list->setTabKeyNavigation(false);
    QHeaderView* rows = list->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* heading = list->horizontalHeader();
    heading->setHighlightSections(false);
    ApplyCommon(list, heading, background, text);
}

}  // namespace ReportListStyle
