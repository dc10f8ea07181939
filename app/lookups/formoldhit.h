#pragma once

#include "core/resultcopy.h"
#include "core/toolcontext.h"

#include <QList>
#include <QWidget>

class FormMain;
class NumericLineEdit;
class QLabel;
class QPushButton;
class QTreeWidget;

// "過去の抽選結果と照合": what a set of up to six numbers would have won in each draw selected
// in its main window, with a result copy of those draws.
class FormOldHit : public QWidget
{
    Q_OBJECT
public:
    explicit FormOldHit(const ToolContext &context, QWidget *parent = nullptr);

    // The main window whose selected rows are checked.
    FormMain *SetFormMain() const { return &m_context.mainWindow(); }

    // Entry box 0..5 (Text1(index)).
    NumericLineEdit *Text1(int index) const;
    QTreeWidget *ListView1() const { return m_list; }
    QLabel *Label1() const { return m_label; }
    QPushButton *Command1() const { return m_command; }
    // The result copy, or null before the first check.
    FormMain *resultWindow() const { return m_result.window(); }

    // Runs the check of the source window's game (CheckHit6 or CheckHit5).
    void Command1_Click();
    void CheckHit6();
    void CheckHit5();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void checkHit(int runMode);
    void layoutControls();

    ToolContext m_context;
    QList<NumericLineEdit *> m_boxes;
    QPushButton *m_command = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_label = nullptr;
    ResultCopy m_result;
};
