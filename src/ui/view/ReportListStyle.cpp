#include "view/ReportListStyle.h"

#include "view/ViewStyle.h"

#include <QHeaderView>
#include <QTreeView>

namespace ReportListStyle {

void Apply(QTreeView* list, QRgb background, QRgb text)
{
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setIndentation(0);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setFocusPolicy(Qt::StrongFocus);
    QHeaderView* header = list->header();
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

}  // namespace ReportListStyle
