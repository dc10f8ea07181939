#pragma once

// What the combination list asks of the program's pattern file manager before showing it: the
// summary of the pattern folder for one game (6 LOTO6, 5 miniLOTO, 0 both). The manager window
// implements it; the list finds it by a cast, so neither needs the other's class.
class PatternManagerLink
{
public:
    virtual ~PatternManagerLink() = default;
    virtual void PatternAll(int mode) = 0;
};
