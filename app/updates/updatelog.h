#pragma once

#include <QString>

// One line of the updater's progress log: a step and how it ended.
struct UpdateEntry
{
    enum class Outcome {
        Done,     // something was fetched and put in place
        Nothing,  // nothing new for this step
        News,     // something for the user to read (a newer version, a message)
        Failed,   // refused or failed; the reason is in the text
    };
    QString step;  // "LOTO6 抽選結果"
    Outcome outcome = Outcome::Nothing;
    QString text;  // the outcome in words
    // Where the line stands in the log: steps keep their order although a step's writes, and so
    // its line, come at the end of the run.
    int order = 0;

    // "LOTO6 抽選結果：3 回分を追加しました（第2145回まで）"
    QString line() const;
};
