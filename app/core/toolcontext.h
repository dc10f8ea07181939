#pragma once

#include <QPointer>

class DrawTable;
class FormMain;
class Program;

// What a tool window is given when it is made: the game it works on, the main window that opened
// it (whose selected rows it analyses), the program's first main window's table (the draw history
// some windows look draws up in), and the program for its program-wide windows.
struct ToolContext
{
    Program *program = nullptr;
    QPointer<FormMain> opener;
    int runMode = 0;
    int maxNo = 0;
    int osVersion = 0;
    const DrawTable *firstTable = nullptr;
};
