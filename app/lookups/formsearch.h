#pragma once

#include "core/resultcopy.h"
#include "core/toolcontext.h"

#include <QWidget>

class FormMain;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "指定した番号から抽選結果の検索": the draws selected in its main window that contain (OR),
// all contain (AND) or avoid (NOT) the typed numbers, shown in a result copy.
class FormSearch : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int NoEnd READ NoEnd WRITE setNoEnd)

public:
    explicit FormSearch(const ToolContext &context, QWidget *parent = nullptr);

    // The main window whose selected rows are searched.
    FormMain *SetFormMain() const { return &m_context.mainWindow(); }
    // Last sub-item searched; the search starts at sub-item 3.
    int NoEnd() const { return m_noEnd; }
    void setNoEnd(int value) { m_noEnd = value; }

    QLabel *Label1() const { return m_label; }
    QLineEdit *Text1() const { return m_text; }
    // The option of a search mode (NumberSearch::Mode).
    QRadioButton *Option1(int index) const;
    QPushButton *Command1() const { return m_command; }
    // The result copy, or null before the first search.
    FormMain *resultWindow() const { return m_result.window(); }

    void Command1_Click();
    void SearchNumbers();
    // Fills the result copy with the matching rows for the cleaned text of Text1.
    void MakeMain(const QString &s);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();

    ToolContext m_context;
    int m_noEnd = 0;
    QLabel *m_label = nullptr;
    QLineEdit *m_text = nullptr;
    QList<QRadioButton *> m_options;
    QPushButton *m_command = nullptr;
    ResultCopy m_result;
};
