#include "core/widgets.h"

#include "core/controlarray.h"
#include "core/sorttoggle.h"
#include "core/viewexport.h"

#include <QAbstractItemView>
#include <QItemSelection>
#include <QBoxLayout>
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

#include <numeric>

NumericLineEdit::NumericLineEdit(QWidget *parent) : QLineEdit(parent) {}

NumericLineEdit::NumericLineEdit(const QString &text, QWidget *parent) : QLineEdit(text, parent) {}

bool NumericLineEdit::acceptsCharacter(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == QChar(8);
}

bool NumericLineEdit::accepts(QChar c) const
{
    return acceptsCharacter(c) || m_extra.contains(c);
}

void NumericLineEdit::keyPressEvent(QKeyEvent *event)
{
    const bool isEnter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Shortcuts (copy, paste, select all) pass untouched.
    const bool isShortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!isEnter && !isShortcut) {
        for (const QChar c : event->text()) {
            // Only typed characters are checked: editing keys such as Delete carry control codes.
            const bool isControl = c.unicode() < 0x20 || c.unicode() == 0x7f;
            if (!isControl && !accepts(c)) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumericLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // Text composed through an input method (full-width digits, kana) obeys the same rule.
    QString committed;
    for (const QChar c : event->commitString()) {
        if (accepts(c))
            committed.append(c);
    }
    if (committed == event->commitString() && event->preeditString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered;
    filtered.setCommitString(committed, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
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

namespace {
constexpr char kSortedByClick[] = "sortedByClick";
} // namespace

QList<QPushButton *> addButtonGroup(QBoxLayout *layout, QWidget *parent, const QString &name,
                                    const QStringList &captions, const std::function<void(int index)> &onClick)
{
    QList<QPushButton *> buttons;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        auto *button = new QPushButton(captions[i], parent);
        setControlIndex(button, name, int(i));
        QObject::connect(button, &QPushButton::clicked, parent, [onClick, i] { onClick(int(i)); });
        layout->addWidget(button);
        buttons.append(button);
    }
    return buttons;
}

void setBoxes(const QList<QCheckBox *> &boxes, int index)
{
    for (QCheckBox *box : boxes) {
        if (index == BoxesAll || index == BoxesClear)
            box->setChecked(index == BoxesAll);
        else if (index == BoxesNot)
            box->setChecked(!box->isChecked());
    }
}

void sortKeepingWidths(QTreeView *list, int column, Qt::SortOrder order, const std::function<void()> &sort)
{
    QHeaderView *header = list->header();
    QList<int> widths;
    for (int c = 0; c < header->count(); ++c)
        widths.append(header->sectionSize(c));
    sort();
    for (int c = 0; c < widths.size() && c < header->count(); ++c)
        header->resizeSection(c, widths[c]);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, order);
}

void selectRows(QAbstractItemView *view, int rows, const std::function<bool(int row)> &isSelected)
{
    const QAbstractItemModel *model = view->model();
    const int lastColumn = model->columnCount() - 1;
    QItemSelection selection;
    for (int r = 0; r < rows;) {
        if (!isSelected(r)) {
            ++r;
            continue;
        }
        int end = r;
        while (end + 1 < rows && isSelected(end + 1))
            ++end;
        selection.append(QItemSelectionRange(model->index(r, 0), model->index(end, lastColumn)));
        r = end + 1;
    }
    view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void setupReportList(QTreeView *list)
{
    list->setRootIsDecorated(false);
    list->setIndentation(0);
    list->setUniformRowHeights(true);
    list->setItemsExpandable(false);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    QHeaderView *header = list->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(0);
    ViewExport::enable(list);
}

void sortTreeItems(QTreeWidget *list, int column, Qt::SortOrder order)
{
    QTreeWidgetItem *root = list->invisibleRootItem();
    std::vector<int> rows(size_t(root->childCount()));
    std::iota(rows.begin(), rows.end(), 0);
    sortRowsByText(rows, order, [root, column](int row) { return root->child(row)->text(column); });
    // The items move with what the view knows of them: selection, current item, scroll position.
    std::vector<char> selected;
    for (const int row : rows)
        selected.push_back(root->child(row)->isSelected());
    QTreeWidgetItem *current = list->currentItem();
    const int scrolled = list->verticalScrollBar()->value();
    const QList<QTreeWidgetItem *> items = root->takeChildren();
    QList<QTreeWidgetItem *> sorted;
    sorted.reserve(items.size());
    for (const int row : rows)
        sorted.append(items[row]);
    root->addChildren(sorted);
    selectRows(list, int(sorted.size()), [&selected](int row) { return selected[size_t(row)] != 0; });
    if (current)
        list->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    list->verticalScrollBar()->setValue(scrolled);
    list->header()->setSortIndicator(column, order);
}

void enableColumnClickSort(QTreeWidget *list)
{
    list->setSortingEnabled(false);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(true);
    auto toggle = std::make_shared<SortToggle>();
    QObject::connect(list->header(), &QHeaderView::sectionClicked, list, [list, toggle](int column) {
        const Qt::SortOrder order = toggle->next();
        sortTreeItems(list, column, order);
        list->setProperty(kSortedByClick, true);
    });
}

void resortByClickedColumn(QTreeWidget *list)
{
    if (!list->property(kSortedByClick).toBool())
        return;
    const QHeaderView *header = list->header();
    sortTreeItems(list, header->sortIndicatorSection(), header->sortIndicatorOrder());
}
