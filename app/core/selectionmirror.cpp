#include "core/selectionmirror.h"

#include "core/widgets.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

SelectionMirror::SelectionMirror(QAbstractItemView *view, std::function<bool(int row)> isSelected,
                                 std::function<void(int first, int last, bool selected)> setSelected,
                                 std::function<void()> changed)
    : m_view(view), m_isSelected(std::move(isSelected)), m_setSelected(std::move(setSelected)),
      m_changed(std::move(changed))
{
    m_connection = QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
                                    [this](const QItemSelection &selected, const QItemSelection &deselected) {
                                        follow(selected, deselected);
                                    });
}

SelectionMirror::~SelectionMirror()
{
    QObject::disconnect(m_connection);
}

void SelectionMirror::push()
{
    m_pushing = true;
    selectRows(m_view, m_view->model()->rowCount(), m_isSelected);
    m_pushing = false;
}

void SelectionMirror::setTakesClicks(std::function<bool()> takesClicks)
{
    m_takesClicks = std::move(takesClicks);
}

void SelectionMirror::follow(const QItemSelection &selected, const QItemSelection &deselected)
{
    if (m_pushing || (m_takesClicks && !m_takesClicks()))
        return;
    for (const QItemSelectionRange &range : deselected)
        m_setSelected(range.top(), range.bottom(), false);
    for (const QItemSelectionRange &range : selected)
        m_setSelected(range.top(), range.bottom(), true);
    if (m_changed)
        m_changed();
}
