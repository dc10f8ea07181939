#pragma once

#include <QList>

#include <optional>

// The pool list beside the number boxes: the chosen numbers in the user's order, the first
// keyCount() of them being key numbers. Keys always form a prefix of the list and never number
// more than a ticket holds; every operation keeps both rules and refuses what would break them.
// Indexes are 0-based.
class PoolList
{
public:
    explicit PoolList(int picks = 6);

    int picks() const { return m_picks; }
    const QList<int> &numbers() const { return m_numbers; }
    int size() const { return int(m_numbers.size()); }
    int keyCount() const { return m_keys; }
    bool isKey(int index) const { return index >= 0 && index < m_keys; }
    int indexOf(int number) const { return int(m_numbers.indexOf(number)); }

    // A number box was chosen: its number joins the end of the list (once).
    void append(int number);
    // A number box was cleared: its entry leaves the list, a key entry included. False when the
    // number was not in the list.
    bool remove(int number);

    // ↑ / ↓ on the entry at `index`: its new index, or nothing when the move is refused (first
    // or last entry, a plain entry above a key, a key below a plain entry, no such entry).
    std::optional<int> moveUp(int index);
    std::optional<int> moveDown(int index);

    // The user ticks the key box of an entry: it becomes the last key, moving up past the plain
    // entries above it. Refused (nothing) when the list already holds `picks` keys.
    std::optional<int> markKey(int index);
    // The user unticks it: it becomes the first plain entry, moving down past the keys below it.
    std::optional<int> unmarkKey(int index);

private:
    int m_picks;
    QList<int> m_numbers;
    int m_keys = 0;
};
