#pragma once

class DrawTable;
class FormMain;
class Program;

// What a tool window is given when it is made, and keeps unchanged for its life: the main window
// that opened it (whose selected rows it analyses, and whose game it works on), the program's
// first main window's table (the draw history some windows look draws up in), and the program
// for its program-wide windows. A main window's tools are made anew whenever its game changes.
class ToolContext
{
public:
    explicit ToolContext(FormMain &opener);

    Program &program() const { return *m_program; }
    FormMain &mainWindow() const { return *m_mainWindow; }
    int runMode() const { return m_runMode; }
    int maxNo() const;
    // Null when the program has no first main window.
    const DrawTable *firstTable() const { return m_firstTable; }

private:
    Program *const m_program;
    FormMain *const m_mainWindow;
    const int m_runMode;
    const DrawTable *const m_firstTable;
};
