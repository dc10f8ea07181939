#pragma once

class FormMain;

// The game's highest number as the graph windows read it: from the main window that opened
// them, or the program's first main window when they have none.
int graphMaxNo(const FormMain *owner);
