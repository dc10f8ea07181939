#include "core/widgets.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

NumericLineEdit::NumericLineEdit(QWidget *parent) : QLineEdit(parent) {}

NumericLineEdit::NumericLineEdit(const QString &text, QWidget *parent) : QLineEdit(text, parent) {}

bool NumericLineEdit::acceptsCharacter(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == QChar(8);
}

void NumericLineEdit::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool isEnter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Shortcuts (copy, paste, select all) and editing keys without text pass untouched.
    const bool isShortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!isEnter && !isShortcut && !text.isEmpty()) {
        for (const QChar c : text) {
            if (!acceptsCharacter(c)) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumericLineEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Deferred, or the mouse press that gave the focus would undo the selection.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

PanelStatusBar::PanelStatusBar(int panels, QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < panels; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        addWidget(label, i == panels - 1 ? 1 : 0);
        m_panels.append(label);
    }
}

QLabel *PanelStatusBar::panel(int panel) const
{
    return m_panels.value(panel - 1);
}

QString PanelStatusBar::panelText(int panel) const
{
    const QLabel *label = this->panel(panel);
    return label ? label->text() : QString();
}

void PanelStatusBar::setPanelText(int panel, const QString &text)
{
    if (QLabel *label = this->panel(panel))
        label->setText(text);
}

int TreeWidgetRows::rowCount() const
{
    return m_list->topLevelItemCount();
}

bool TreeWidgetRows::isSelected(int row) const
{
    const QTreeWidgetItem *item = m_list->topLevelItem(row);
    return item && item->isSelected();
}

QString TreeWidgetRows::cellText(int row, int column) const
{
    const QTreeWidgetItem *item = m_list->topLevelItem(row);
    return item ? item->text(column) : QString();
}

void enableColumnClickSort(QTreeWidget *list)
{
    list->setSortingEnabled(false);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(true);
    auto order = std::make_shared<Qt::SortOrder>(Qt::DescendingOrder);
    QObject::connect(list->header(), &QHeaderView::sectionClicked, list, [list, order](int column) {
        *order = *order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        list->sortItems(column, *order);
        list->header()->setSortIndicator(column, *order);
    });
}
