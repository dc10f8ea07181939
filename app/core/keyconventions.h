#pragma once

#include <QObject>

// Keys every window of the program answers the same way, installed once on the application:
// Esc closes (hides) a tool window, F5 presses the window's "更新" button.
class KeyConventions : public QObject
{
    Q_OBJECT
public:
    explicit KeyConventions(QObject *parent = nullptr);

    // Installs one instance on the running application (again is harmless).
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
