#pragma once

class FormMain;

// What the graph windows share: the game's highest number as the windows read it.
// The opener's value when it has one; a copy made before its game mode was set falls back to
// the program's first main window.
int graphMaxNo(const FormMain *owner);
