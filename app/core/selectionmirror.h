#pragma once

#include <QMetaObject>

#include <functional>

class QAbstractItemView;
class QItemSelection;

// Keeps a view's selection and its owner's flags of the rows it shows in step. The flags are the
// truth: push() shows them as the view's selection, and a selection the user makes in the view
// is written back into them (never while they are being shown), after which `changed` runs.
class SelectionMirror
{
public:
    SelectionMirror(QAbstractItemView *view, std::function<bool(int row)> isSelected,
                    std::function<void(int first, int last, bool selected)> setSelected,
                    std::function<void()> changed = {});
    ~SelectionMirror();
    SelectionMirror(const SelectionMirror &) = delete;
    SelectionMirror &operator=(const SelectionMirror &) = delete;

    void push();
    // While `takesClicks` says no (the view lies hidden), the view's selection changes no flag.
    void setTakesClicks(std::function<bool()> takesClicks);

private:
    void follow(const QItemSelection &selected, const QItemSelection &deselected);

    QAbstractItemView *m_view;
    std::function<bool(int row)> m_isSelected;
    std::function<void(int first, int last, bool selected)> m_setSelected;
    std::function<void()> m_changed;
    std::function<bool()> m_takesClicks;
    QMetaObject::Connection m_connection;
    bool m_pushing = false;
};
