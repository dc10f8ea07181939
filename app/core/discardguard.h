#pragma once

// A tool window that holds work the user has not saved: before its main window drops it (a new
// load, closing the window, quitting), it may ask the user and refuse.
class DiscardGuard
{
public:
    virtual ~DiscardGuard() = default;
    // True when the window may go: nothing unsaved, or the user saved or chose to discard it.
    virtual bool mayDiscard() = 0;
};
