#pragma once

#include <QStyledItemDelegate>

// Draws a cell's own text colour in selected rows too, so hit numbers stay red and blue when
// every entry is selected (as after a load); the view gives selected rows a light background.
class HitCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // A light selection background with black text, under which the hit colours read well.
    static void useLightSelection(QWidget *view);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
