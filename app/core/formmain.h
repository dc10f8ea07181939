#pragma once

#include "core/drawtable.h"
#include "core/sorttoggle.h"
#include "core/toolwindows.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class DrawTableModel;
class NumericLineEdit;
class PanelStatusBar;
class Program;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;
class SelectionMirror;

// The main window: home of the draw table, the selection tools and the menus. The same class
// serves as a result copy (Copied), which holds a subset of another window's rows.
class FormMain : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(int RunMode READ RunMode WRITE setRunMode)
    Q_PROPERTY(int MaxNo READ MaxNo WRITE setMaxNo)
    Q_PROPERTY(int OS_Version READ OS_Version CONSTANT)
    Q_PROPERTY(bool Copied READ Copied)

public:
    // A result copy holds draws of one game; it is marked as a copy when it is made.
    struct CopyOf
    {
        int runMode = 0;
    };

    // A main window that loads files; the first one made is the program's first main window.
    explicit FormMain(Program &program, QWidget *parent = nullptr);
    // A result copy of draws of the given game.
    FormMain(Program &program, CopyOf copy, QWidget *parent = nullptr);
    ~FormMain() override;

    Program &program() const { return m_program; }

    int RunMode() const { return m_runMode; }
    void setRunMode(int value) { m_runMode = value; }
    int MaxNo() const { return m_maxNo; }
    void setMaxNo(int value) { m_maxNo = value; }
    // The layout correction of one family of desktop systems; none on this one.
    int OS_Version() const { return 0; }
    bool Copied() const { return m_copied; }

    QTreeView *ListView1() const { return m_list; }
    // The draw table, read by every analysis window as its row source.
    const DrawTable &table() const { return m_table; }
    ToolWindows &tools() { return m_tools; }

    // Column layouts; both clear every row and column first.
    void MakeLvw6();
    void MakeLvw5();
    // Adds rows in the table's layout (result copies).
    void addRow(const QStringList &cells);
    void addRowFrom(const RowSource &source, int row);
    // Adds the given rows of another table (0-based, in that order) in one step.
    void addRowsFrom(const RowSource &source, const QList<int> &rows);
    // LvwAutoSize with true and 0.
    void autoSizeColumns();

    // The selection buttons, by index: "Select Clear", "Select All" (the purchase lists' too).
    enum SelectButton { SelectClear = 0, SelectAll = 1 };
    void Command1_Click(int index);
    // "行上選択" and "行下選択": the first or the last n rows, n from Text1.
    enum RowsButton { FirstRows = 0, LastRows = 1 };
    void Command2_Click(int index);
    void ShowSelectionCount();
    QString selectionCountText() const;
    // Sorts by the clicked column (0 = the hidden column), flipping the order on every click.
    void ListView1_ColumnClick(int column);

    // The load of a draw-result file, from its opening on; false when refused.
    bool loadFile(const QString &path);
    // The file the list was loaded from last; empty before a load and in result copies.
    QString loadedFile() const { return m_loadedFile; }
    void menuDataLoad_Click();
    // Writes the selected rows, in list order, as a draw-result file the program opens again.
    void menuDataSaveSelected_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FormMain(Program &program, bool copied, int runMode, QWidget *parent);
    void buildMenus();
    void recreateTools();
    void buildControls();
    void Form_Load();
    void setLayout(int runMode);
    void rebuildView(const std::function<void()> &change);

    Program &m_program;
    bool m_copied;
    int m_runMode = 0;
    int m_maxNo = 0;

    DrawTable m_table;
    QString m_loadedFile;
    QAction *m_csvAction = nullptr;
    QAction *m_saveDrawsAction = nullptr;
    DrawTableModel *m_model = nullptr;
    QTreeView *m_list = nullptr;
    PanelStatusBar *m_status = nullptr;
    NumericLineEdit *m_rowCountBox = nullptr;
    QLabel *m_hint = nullptr;
    std::unique_ptr<SelectionMirror> m_selection;
    SortToggle m_sortOrder;

    QMenu *m_menuData = nullptr;
    QMenu *m_menuAnalysis = nullptr;
    QMenu *m_menuHelp = nullptr;
    QList<QAction *> m_barCommands;
    QMenu *m_menuMaster = nullptr;

    ToolWindows m_tools;
};
