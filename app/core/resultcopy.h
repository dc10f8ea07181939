#pragma once

#include "core/toolcontext.h"

#include <QList>
#include <QPointer>
#include <QString>

class FormMain;
class QWidget;
class RowSource;

// The main-window copy in which a search or check shows the draws it found. The owner window
// makes it at its first result, reuses it for every later one, and closes it when it closes;
// being a child window of the owner, it is destroyed with it.
class ResultCopy
{
public:
    // The copy is a window of the owner, of the game the context gives until a fill says otherwise.
    ResultCopy(QWidget *owner, const ToolContext &context);
    ResultCopy(const ResultCopy &) = delete;
    ResultCopy &operator=(const ResultCopy &) = delete;

    // The copy, or null before the first result.
    FormMain *window() const;

    // Makes the copy if there is none, sets its caption and, when it is not on screen, places
    // it to the right of the owner.
    void prepare(const QString &caption);
    // Rebuilds the copy's columns for the game and fills it with the given rows of `source`
    // (0-based, in that order), sized to fit and all selected.
    void fill(int runMode, const RowSource &source, const QList<int> &rows);
    // Restores, keeps on screen, shows and focuses the copy.
    void present();
    // All three in order.
    FormMain *show(const QString &caption, int runMode, const RowSource &source, const QList<int> &rows);

    void close();

private:
    FormMain *ensure();

    QWidget *m_owner;
    ToolContext m_context;
    QPointer<FormMain> m_copy;
};
