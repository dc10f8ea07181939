#pragma once

#include <QObject>

// Keys every window of the program answers the same way, installed once on the application:
// Esc closes (hides) a tool window, F5 presses the window's "更新" button, Ctrl+Q ends the
// program from any window, F10 or Alt alone opens the window's menu bar.
class KeyConventions : public QObject
{
    Q_OBJECT
public:
    explicit KeyConventions(QObject *parent = nullptr);

    // Installs one instance on the running application (again is harmless).
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static bool openMenuBar(QObject *watched);
    static bool quitProgram();

    bool m_altAlone = false;  // Alt went down and nothing else since
};
