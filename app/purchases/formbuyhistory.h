#pragma once

#include "core/discardguard.h"
#include "core/drawtable.h"
#include "core/toolcontext.h"
#include "purchases/purchaselist.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>

class FormMain;
class FormBackTest;
class FormOldHit;
class NumericLineEdit;
class PanelStatusBar;
class PurchaseListModel;
class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTreeView;
class SelectionMirror;

// "購入履歴": the tickets the user bought, checked against the draws of the program's first main
// window, with the edit panel, the number-set filter, the totals and the send to the check.
class FormBuyHistory : public QMainWindow, public DiscardGuard
{
    Q_OBJECT
public:
    explicit FormBuyHistory(const ToolContext &context, QWidget *parent = nullptr);
    ~FormBuyHistory() override;

    // The main window that opened this one; the check windows opened from here examine its rows.
    FormMain *SetFormMain() const { return &m_context.mainWindow(); }
    const PurchaseList &purchaseList() const { return m_list; }

    // Reads a history file into the list; false (after the message) when it is refused.
    bool MakeListView(const QString &CSVFile);
    // Writes the list to the file and makes it the current one; false after the message.
    bool WriteBuyData(const QString &path);
    // "新規": an empty list and no file, after the question about unsaved entries.
    void menuBuyDataNew_Click();
    void menuBuyDataLoad_Click();
    // Each returns true when the list was written. The overwrite-save first asks when the file
    // changed on disk since it was read or written here: overwrite, read it again, or cancel.
    bool menuBuyDataSave_Click();
    // Save-as; a name without an extension gets the history's (PurchaseFile::savePath).
    bool menuBuyDataSaveRename_Click();
    // Shows or hides the edit panel, with the draw-number box set to the next draw.
    void menuEdit_Click();

    // Selects none or all of the visible list (FormMain::SelectButton).
    void Command1_Click(int index);
    // The edit panel's buttons.
    enum EditButton { DeleteSelected = 0, AddEntry = 1, ChangeEntry = 2 };
    // "選択行を削除" (after a question), "追加", "変更" (EditButton).
    void Command2_Click(int index);
    // Applies the chosen number sets to the filtered list.
    void List1_Click();
    // Sorts both lists by a column (0 = the hidden column), the order flipping on every click.
    void ListView1_ColumnClick(int column);
    // A click on an entry of list `index` (0 the purchase list, 1 the filtered list).
    void ListView1_Click(int index, int row);
    // Sends the chosen number sets (all with "全表示") to check windows of their own.
    void RmenuOldHit_Click();
    // The selected entries' number sets over the first main window's selected draws.
    void RmenuBackTest_Click();
    void ShowSelCount();

    // ListView1(0) the purchase list, ListView1(1) the filtered list over it.
    QTreeView *ListView1(int index) const;
    QListWidget *List1() const { return m_sets; }
    QGroupBox *Frame1() const { return m_frame; }
    NumericLineEdit *Text1(int index) const;
    NumericLineEdit *Text2(int index) const;
    QLabel *Label2() const { return m_date; }
    PanelStatusBar *StatusBar1() const { return m_status; }
    QMenu *ListRmenu() const { return m_popup; }
    // The check windows opened from here, in the order they were made.
    QList<FormOldHit *> checkWindows() const;

    bool mayDiscard() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildControls();
    void buildEditPanel();
    void buildTicketBoxes();
    void buildDrawBoxes();
    QWidget *buildEditButtons();
    void setPanelTabOrder();
    void layoutControls();
    // Runs a change of the entries with both lists' views reset around it.
    void changeLists(const std::function<void()> &change);
    void mirrorFilteredSelection();
    void rebuildNumberSets();
    void showSetSelection();
    void fitColumns(int index);
    void finishEdit();
    void Text2_Change(int index);
    void stepBox(int index, int delta);
    void setSetsExpanded(bool expanded);
    int setsHeight() const;
    int setRowHeight() const;
    void scrollSetsToChoice();
    PurchaseInput::Boxes panelBoxes() const;

    ToolContext m_context;
    DrawTable m_noTable;  // stands in when there is no first main window
    PurchaseList m_list;

    QListWidget *m_sets = nullptr;
    QTreeView *m_views[2] = {nullptr, nullptr};
    PurchaseListModel *m_models[2] = {nullptr, nullptr};
    QGroupBox *m_frame = nullptr;
    QList<NumericLineEdit *> m_ticketBoxes;  // the numbers, then the ticket count
    QList<NumericLineEdit *> m_drawBoxes;    // the draw number and the continuation count
    QStringList m_drawBoxTexts;              // their last accepted texts
    QList<QPushButton *> m_commands;         // Command2 by index
    QLabel *m_date = nullptr;
    PanelStatusBar *m_status = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_csvAction = nullptr;
    QWidget *m_central = nullptr;

    std::unique_ptr<SelectionMirror> m_selections[2];
    bool m_settingSets = false;
    bool m_setsExpanded = false;
    bool m_dragging = false;
    QPoint m_dragFrom;
    // One check window per number set sent, kept by the set's text.
    QHash<QString, QPointer<FormOldHit>> m_checks;
    QList<QPointer<FormOldHit>> m_checkOrder;
    QPointer<FormBackTest> m_backTest;
};
