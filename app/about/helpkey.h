#pragma once

#include <QObject>

class Program;
class QWidget;

// F1 in any window of the program opens the help at that window's page. One filter on the
// application sees the key in every window, also in windows made after it was installed.
class HelpKey : public QObject
{
    Q_OBJECT
public:
    // Installs the filter on the running application once; nothing without a widget application.
    static void install();

    // What F1 does in `window`: the help viewer of the program, at the window's page (the
    // contents for a window without one). The viewer itself keeps its page. Returns the viewer.
    static QWidget *openHelpFor(Program &program, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
