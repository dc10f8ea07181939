#pragma once

#include <QLineEdit>
#include <QList>
#include <QStatusBar>
#include <QStringList>

#include <functional>

class QAbstractItemView;
class QBoxLayout;
class QCheckBox;
class QLabel;
class QPushButton;
class QTreeView;
class QTreeWidget;

// Entry box for numbers: typed characters other than the digits and Backspace are dropped
// (Enter still raises returnPressed), and the whole text is selected when it gets the focus.
class NumericLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumericLineEdit(QWidget *parent = nullptr);
    explicit NumericLineEdit(const QString &text, QWidget *parent = nullptr);

    // The rule the box applies to a typed character: digits, Backspace and the extra characters.
    static bool acceptsCharacter(QChar c);
    bool accepts(QChar c) const;
    void setExtraCharacters(const QString &characters) { m_extra = characters; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    QString m_extra;
};

// Status bar with numbered text panels (1-based, as the program names them).
class PanelStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit PanelStatusBar(int panels, QWidget *parent = nullptr);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    QLabel *panel(int panel) const;

private:
    QList<QLabel *> m_panels;
};

// An indexed group of push buttons (Command1(0), Command1(1), ...) added to a layout in index
// order; a click on button i calls onClick(i).
QList<QPushButton *> addButtonGroup(QBoxLayout *layout, QWidget *parent, const QString &name,
                                    const QStringList &captions, const std::function<void(int index)> &onClick);

// The buttons of a group of number boxes, by index: tick all, untick all, invert, and "更新",
// which recomputes with the boxes as they are.
enum BoxButton { BoxesAll = 0, BoxesClear = 1, BoxesNot = 2, BoxesUpdate = 3 };
// Sets the boxes as the button of that index asks; "更新" changes nothing.
void setBoxes(const QList<QCheckBox *> &boxes, int index);

// Sorts a list's model with `sort` without losing the column widths the user set, then shows the
// sort arrow on the column.
void sortKeepingWidths(QTreeView *list, int column, Qt::SortOrder order, const std::function<void()> &sort);

// Makes the view's selection the rows whose flag is set (the owner's flags are the truth),
// as runs of selected rows. The selection model's signals fire as usual.
void selectRows(QAbstractItemView *view, int rows, const std::function<bool(int row)> &isSelected);

// The look and behaviour every report list of the program shares: flat rows, whole rows
// selected, several at once, no editing, clickable fixed headers, columns down to 0 wide.
void setupReportList(QTreeView *list);

// Sorts a report list's items by the text of a column (sortRowsByText) and shows the sort arrow
// there; the items keep their selection, the current item stays current, the list its scroll
// position.
void sortTreeItems(QTreeWidget *list, int column, Qt::SortOrder order);
// Makes a header click sort the list by the text of that column, the order flipping on every
// click whichever column was clicked before.
void enableColumnClickSort(QTreeWidget *list);
// Once sorted by a click, a list stays sorted: refilled rows are put in the clicked order.
void resortByClickedColumn(QTreeWidget *list);
