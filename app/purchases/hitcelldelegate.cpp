#include "purchases/hitcelldelegate.h"

#include <QBrush>
#include <QPalette>
#include <QWidget>

void HitCellDelegate::useLightSelection(QWidget *view)
{
    QPalette palette = view->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, QColor(204, 228, 247));
        palette.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    view->setPalette(palette);
}

void HitCellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant colour = index.data(Qt::ForegroundRole);
    if (colour.isValid())
        option->palette.setBrush(QPalette::HighlightedText, colour.value<QBrush>());
}
