#pragma once

#include "combinations/combinationtable.h"
#include "combinations/patterncursor.h"
#include "combinations/poollist.h"
#include "combinations/ticketsheet.h"
#include "core/toolcontext.h"

#include <QList>
#include <QPointer>

#include <vector>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class BackgroundTask;
class FormBackTest;
class FormMain;
class PanelStatusBar;
class QCheckBox;
class QHBoxLayout;
class QListWidget;
class QListWidgetItem;
class QProgressDialog;
class TaskProgress;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTreeWidget;
class QVBoxLayout;
class VirtualGridView;
namespace Guarantee {
struct Result;
}

// "組み合わせ表の作成": a pool of numbers of the loaded game in the user's order, some of them
// key numbers, and every combination of a ticket's count of them; in purchase-pattern mode, the
// tickets of a guarantee pattern file or marked by hand, and how they fare against every draw
// inside the pool.
class FormCombList : public QWidget
{
    Q_OBJECT
public:
    explicit FormCombList(const ToolContext &context, QWidget *parent = nullptr);
    ~FormCombList() override;

    // The main window that opened the list.
    FormMain *SetFormMain() const { return &m_context.mainWindow(); }

    int picks() const { return m_picks; }
    const PoolList &pool() const { return m_pool; }
    const CombinationTable &combinations() const { return m_combinations; }
    const TicketSheet &tickets() const { return *m_sheet; }
    bool isPurchaseMode() const;
    bool isCalculating() const;

    // Button groups have their fixed indexes; a number box outside the game is null.
    QCheckBox *Check1(int index) const { return m_numberBoxes.value(index); }
    QPushButton *Command1(int index) const { return m_boxButtons.at(index); }
    QPushButton *Command2(int index) const { return m_moveButtons.at(index); }
    QPushButton *Command3(int index) const { return m_tierButtons.at(index); }
    QPushButton *Command4(int index) const { return m_ticketMoveButtons.at(index); }
    QPushButton *Command5() const { return m_guaranteeButton; }
    QPushButton *Command6() const { return m_managerButton; }
    // "過去の抽選で検証": the complete tickets over the first main window's selected draws.
    QPushButton *Command7() const { return m_backTestButton; }
    void Command7_Click();
    // The tickets of the grid as number masks; empty unless every ticket is complete.
    std::vector<quint64> completeTickets() const;
    FormBackTest *backTestWindow() const;
    QCheckBox *Check2() const { return m_purchaseBox; }
    QListWidget *ListView1() const { return m_poolList; }
    QTreeWidget *ListView2() const { return m_results; }
    VirtualGridView *MSFlexGrid1() const { return m_combinationGrid; }
    VirtualGridView *MSFlexGrid2() const { return m_ticketGrid; }
    PanelStatusBar *StatusBar1() const { return m_status; }
    // The calculation's progress dialog while it is shown.
    QProgressDialog *progressDialog() const;

    void Check1_Click(int index);
    // "All", "Clear", "Not", "更新" (BoxButton).
    void Command1_Click(int index);
    // Moves the selected pool entry: "↑", "↓".
    enum MoveButton { MoveUp = 0, MoveDown = 1 };
    void Command2_Click(int index);
    // The user ticked or unticked the key box of pool entry `index`.
    void ListView1_ItemCheck(int index, bool checked);
    void Check2_Click();
    // Ticket rows: "↑" (MoveUp) removes the last, "↓" (MoveDown) adds one.
    void Command4_Click(int index);
    void MSFlexGrid2_Click(int row, int column);
    // Tier buttons "３等保証", "４等保証", "５等保証": the tier of a button is its index + 3.
    enum TierButton { Tier3Button = 0, Tier4Button = 1, Tier5Button = 2 };
    void Command3_Click(int index);
    void Command5_Click();
    void Command6_Click();

    void MakeCombGrid();
    void CutKeyRows();
    void MakeTicketHeader();
    void SizeGrids();
    void MarkTicketRows();
    void CheckPatternFiles();
    void LoadPatternFile(int tierButton);
    // Starts the win-guarantee calculation of the tickets; the result list fills when it ends.
    void CalcGuarantee();

Q_SIGNALS:
    // A calculation ended: its result is in the list, or it was cancelled and the list kept the
    // previous one, or the pool or the tickets changed under it and the list is empty.
    void guaranteeFinished(bool completed);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHBoxLayout *buildNumberBoxes();
    // All / Clear / Not / 更新, the purchase-pattern box, the tier buttons and PatternFiles.
    QHBoxLayout *buildCommands();
    // The pool in the user's order with its key boxes, and the buttons that move an entry.
    QVBoxLayout *buildPoolColumn();
    // The combination grid, or in purchase-pattern mode the result list beside the tickets.
    QStackedWidget *buildPages();
    QWidget *buildTicketSide();
    int chosenCount() const;
    void showPool(int selected);
    int selectedEntry() const;
    void relabelVisibleGrid();
    // keepPlace: the same rows relabelled, shown where the user scrolled to.
    void setCombinations(CombinationTable table, bool keepPlace = false);
    QString patternFolder();
    void hoverText(VirtualGridView *grid, int row, int column);
    void calculationDone(const std::optional<Guarantee::Result> &result);
    void showResult(const Guarantee::Result &result);
    void fitResultList();
    // Any change of pool, keys or tickets: a result or verdict shown or coming is for other tickets.
    void forgetResult();
    // The promise of the pattern file just loaded, checked against its tickets.
    void checkLoadedPattern(const QString &file, int tier);
    void showVerdict(const QString &file, int tier, std::optional<int> leastMatch);
    enum NoteFlag { Plain = 0, Warning = 1, Brief = 2 };
    // The status bar's last panel: what the user's last action did. A brief note goes by itself.
    void showNote(const QString &text, int flags = Plain);

    ToolContext m_context;
    int m_picks;
    PoolList m_pool;
    CombinationTable m_combinations;
    std::shared_ptr<TicketSheet> m_sheet;
    PatternCursor m_cursor;
    QString m_patternFolder;  // empty until the first look
    bool m_busy = false;
    bool m_showingPool = false;

    QList<QCheckBox *> m_numberBoxes;
    QList<QPushButton *> m_boxButtons;
    QList<QPushButton *> m_moveButtons;
    QList<QPushButton *> m_tierButtons;
    QList<QPushButton *> m_ticketMoveButtons;
    QPushButton *m_guaranteeButton = nullptr;
    QPushButton *m_managerButton = nullptr;
    QPushButton *m_backTestButton = nullptr;
    QPointer<FormBackTest> m_backTest;
    QCheckBox *m_purchaseBox = nullptr;
    QListWidget *m_poolList = nullptr;
    QTreeWidget *m_results = nullptr;
    VirtualGridView *m_combinationGrid = nullptr;
    VirtualGridView *m_ticketGrid = nullptr;
    QStackedWidget *m_pages = nullptr;
    QSplitter *m_purchase = nullptr;
    PanelStatusBar *m_status = nullptr;

    BackgroundTask *m_task = nullptr;
    TaskProgress *m_progress = nullptr;
    BackgroundTask *m_check = nullptr;
    QTimer m_noteTimer;
};
