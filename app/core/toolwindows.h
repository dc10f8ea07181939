#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class FormMain;

// The eleven analysis windows a main window owns, one per slot.
enum class ToolSlot : int {
    GraphWithBonus,     // FormGraph, numbers with bonus
    TrendWithBonus,     // FormGraph2 paired with it
    GraphWithoutBonus,  // FormGraph, numbers without bonus
    TrendWithoutBonus,
    GraphBonusOnly,     // FormGraph, bonus number only
    TrendBonusOnly,
    Search,             // FormSearch
    OldHit,             // FormOldHit
    Way,                // FormWay
    CombList,           // FormCombList
    BuyHistory,         // FormBuyHistory
    Count
};

// Holds a main window's tool windows. Each load (or a copy's start) replaces them all with
// fresh hidden instances made by the factory registered for each slot.
class ToolWindows
{
public:
    using Factory = std::function<QWidget *(FormMain *owner)>;

    static constexpr int kCount = int(ToolSlot::Count);

    // Each subsystem registers the window class of its slots (see registerToolWindows()).
    static void setFactory(ToolSlot slot, Factory factory);
    static Factory factory(ToolSlot slot);

    // What a menu entry of the main window (by its object name) does; an entry without a
    // handler stays disabled. Registered by the subsystem whose window the entry opens.
    using MenuHandler = std::function<void(FormMain &window)>;
    static void setMenuHandler(const QString &actionName, MenuHandler handler);
    static MenuHandler menuHandler(const QString &actionName);

    // Closes and drops the current windows and creates fresh hidden ones.
    void recreate(FormMain *owner);
    // Closes and drops every window; the slots stay empty until the next recreate().
    void closeAll();

    QWidget *window(ToolSlot slot) const { return m_windows[size_t(slot)]; }
    template<class T>
    T *get(ToolSlot slot) const { return qobject_cast<T *>(window(slot)); }
    bool isEmpty() const;

private:
    std::array<QPointer<QWidget>, kCount> m_windows;
};

// Registers every subsystem's tool-window factories and menu handlers once.
void registerToolWindows();
// One per subsystem, each in its own folder.
void registerGraphWindows();
void registerLookupWindows();
