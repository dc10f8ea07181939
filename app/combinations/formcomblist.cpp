#include "combinations/formcomblist.h"

#include "combinations/combinationcells.h"
#include "combinations/combinationsfeature.h"
#include "combinations/guaranteetable.h"
#include "combinations/patternavailability.h"
#include "combinations/patternfile.h"
#include "combinations/patternfolder.h"
#include "combinations/patternmanagerlink.h"
#include "combinations/patternverify.h"
#include "combinations/poolgrid.h"
#include "combinations/ticketcells.h"
#include "core/backgroundtask.h"
#include "core/taskprogress.h"
#include "core/combinatorics.h"
#include "core/controlarray.h"
#include "core/drawrecord.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/gamerules.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/virtualgridview.h"
#include "core/widgets.h"
#include "lookups/formbacktest.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int kBoxesPerLine = 20;
// Short runs finish before a dialog would be worth showing.
// Draws a pattern check gets through on the GUI thread in a blink; more are checked off it.
constexpr qint64 kQuickCheckDraws = 1000000;
constexpr int kNotePanel = 4;
constexpr int kBriefNoteMs = 4000;

enum Page { NormalPage = 0, PurchasePage = 1 };
} // namespace

FormCombList::FormCombList(const ToolContext &context, QWidget *parent)
    : QWidget(parent ? parent : &context.mainWindow(), Qt::Window), m_context(context), m_picks(context.runMode()),
      m_pool(context.runMode()), m_sheet(std::make_shared<TicketSheet>()), m_task(new BackgroundTask(this)),
      m_check(new BackgroundTask(this))
{
    setObjectName(u"FormCombList"_s);
    setWindowTitle(u"組み合わせ表の作成"_s);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(buildNumberBoxes());
    layout->addLayout(buildCommands());
    auto *body = new QHBoxLayout;
    body->addLayout(buildPoolColumn());
    body->addWidget(buildPages(), 1);
    layout->addLayout(body, 1);
    m_status = new PanelStatusBar(kNotePanel, this);
    layout->addWidget(m_status);

    m_progress = new TaskProgress(this, m_task, u"当選保証計算中です。"_s);

    m_noteTimer.setSingleShot(true);
    m_noteTimer.setInterval(kBriefNoteMs);
    connect(&m_noteTimer, &QTimer::timeout, this, [this] { showNote({}); });

    resize(1100, 660);
}

FormCombList::~FormCombList() = default;

QHBoxLayout *FormCombList::buildNumberBoxes()
{
    auto *boxes = new QGridLayout;
    boxes->setHorizontalSpacing(4);
    boxes->setVerticalSpacing(2);
    for (int i = 0; i < m_context.maxNo(); ++i) {
        auto *box = new QCheckBox(QString::number(i + 1), this);
        setControlIndex(box, u"Check1"_s, i);
        connect(box, &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
        boxes->addWidget(box, i / kBoxesPerLine, i % kBoxesPerLine);
        m_numberBoxes.append(box);
    }
    auto *boxRow = new QHBoxLayout;
    boxRow->addLayout(boxes);
    boxRow->addStretch(1);
    return boxRow;
}

QHBoxLayout *FormCombList::buildCommands()
{
    auto *commands = new QHBoxLayout;
    m_boxButtons = addButtonGroup(commands, this, u"Command1"_s, {u"All"_s, u"Clear"_s, u"Not"_s, u"更新"_s},
                                [this](int index) { Command1_Click(index); });
    commands->addSpacing(16);
    m_purchaseBox = new QCheckBox(u"購入パターン作成"_s, this);
    m_purchaseBox->setObjectName(u"Check2"_s);
    connect(m_purchaseBox, &QCheckBox::toggled, this, &FormCombList::Check2_Click);
    commands->addWidget(m_purchaseBox);
    commands->addSpacing(16);
    m_tierButtons = addButtonGroup(commands, this, u"Command3"_s, {u"３等保証"_s, u"４等保証"_s, u"５等保証"_s},
                                [this](int index) { Command3_Click(index); });
    // Enabled by the first look at the pattern folder; miniLOTO has no fifth tier.
    for (QPushButton *button : std::as_const(m_tierButtons))
        button->setEnabled(false);
    m_tierButtons[Tier5Button]->setVisible(m_picks == 6);
    m_managerButton = new QPushButton(u"PatternFiles"_s, this);
    m_managerButton->setObjectName(u"Command6"_s);
    connect(m_managerButton, &QPushButton::clicked, this, &FormCombList::Command6_Click);
    commands->addWidget(m_managerButton);
    commands->addStretch(1);
    return commands;
}

QVBoxLayout *FormCombList::buildPoolColumn()
{
    m_poolList = new QListWidget(this);
    m_poolList->setObjectName(u"ListView1"_s);
    m_poolList->setSelectionMode(QAbstractItemView::SingleSelection);
    // By the pixel, so that an entry can be kept exactly where it was clicked.
    m_poolList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(m_poolList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        const int row = m_poolList->row(item);
        const bool checked = item->checkState() == Qt::Checked;
        if (!m_showingPool && checked != m_pool.isKey(row))
            ListView1_ItemCheck(row, checked);
    });
    auto *moves = new QHBoxLayout;
    m_moveButtons = addButtonGroup(moves, this, u"Command2"_s, {u"↑"_s, u"↓"_s}, [this](int index) { Command2_Click(index); });
    for (QPushButton *button : std::as_const(m_moveButtons))
        button->setFixedWidth(fontMetrics().horizontalAdvance(u"↑"_s) + 20);
    // Room for a key box and a two-digit number beside the scroll bar.
    const int listWidth = style()->pixelMetric(QStyle::PM_IndicatorWidth) + fontMetrics().horizontalAdvance(u"43"_s)
                          + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 28;
    m_poolList->setFixedWidth(std::max(listWidth, 2 * m_moveButtons[0]->width() + moves->spacing()));
    auto *poolColumn = new QVBoxLayout;
    poolColumn->addWidget(m_poolList, 1);
    poolColumn->addLayout(moves);
    return poolColumn;
}

QStackedWidget *FormCombList::buildPages()
{
    m_combinationGrid = new VirtualGridView(this);
    m_combinationGrid->setObjectName(u"MSFlexGrid1"_s);
    setCombinations(CombinationTable());
    connect(m_combinationGrid, &VirtualGridView::cellHovered, this,
            [this](int row, int column) { hoverText(m_combinationGrid, row, column); });

    m_results = new QTreeWidget(this);
    m_results->setObjectName(u"ListView2"_s);
    setupReportList(m_results);
    m_results->setHeaderLabels(GuaranteeTable::headers(m_picks));
    m_results->setColumnWidth(0, 0);
    for (int c = 1; c < m_results->columnCount(); ++c)
        m_results->setColumnWidth(c, m_results->header()->sectionSizeHint(c));

    QWidget *ticketSide = buildTicketSide();
    m_purchase = new QSplitter(Qt::Horizontal, this);
    m_purchase->setChildrenCollapsible(false);
    m_purchase->addWidget(m_results);
    m_purchase->addWidget(ticketSide);
    m_purchase->setStretchFactor(1, 1);

    // The result list and the ticket grid take the combination grid's place.
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_combinationGrid);
    m_pages->addWidget(m_purchase);
    return m_pages;
}

QWidget *FormCombList::buildTicketSide()
{
    m_ticketGrid = new VirtualGridView(this);
    m_ticketGrid->setObjectName(u"MSFlexGrid2"_s);
    m_ticketGrid->setSource(std::make_shared<TicketCells>(m_sheet, m_picks));
    connect(m_ticketGrid, &VirtualGridView::cellHovered, this,
            [this](int row, int column) { hoverText(m_ticketGrid, row, column); });
    connect(m_ticketGrid, &VirtualGridView::cellClicked, this, &FormCombList::MSFlexGrid2_Click);

    auto *ticketButtons = new QHBoxLayout;
    m_ticketMoveButtons = addButtonGroup(ticketButtons, this, u"Command4"_s, {u"↑"_s, u"↓"_s},
                                [this](int index) { Command4_Click(index); });
    ticketButtons->addStretch(1);
    m_guaranteeButton = new QPushButton(u"当選保証計算"_s, this);
    m_guaranteeButton->setObjectName(u"Command5"_s);
    connect(m_guaranteeButton, &QPushButton::clicked, this, &FormCombList::Command5_Click);
    ticketButtons->addWidget(m_guaranteeButton);
    m_backTestButton = new QPushButton(u"過去の抽選で検証"_s, this);
    m_backTestButton->setObjectName(u"Command7"_s);
    m_backTestButton->setEnabled(false);
    connect(m_backTestButton, &QPushButton::clicked, this, &FormCombList::Command7_Click);
    // Under the calculation, so the ticket side keeps its width for the results beside it.
    auto *backTestRow = new QHBoxLayout;
    backTestRow->addStretch(1);
    backTestRow->addWidget(m_backTestButton);
    // Whatever changes the tickets repaints their grid: the button follows it.
    m_ticketGrid->viewport()->installEventFilter(this);

    auto *ticketSide = new QWidget(this);
    auto *ticketLayout = new QVBoxLayout(ticketSide);
    ticketLayout->setContentsMargins(0, 0, 0, 0);
    ticketLayout->addWidget(m_ticketGrid, 1);
    ticketLayout->addLayout(ticketButtons);
    ticketLayout->addLayout(backTestRow);
    return ticketSide;
}

bool FormCombList::isPurchaseMode() const
{
    return m_purchaseBox->isChecked();
}

QProgressDialog *FormCombList::progressDialog() const
{
    return m_progress->dialog();
}

bool FormCombList::isCalculating() const
{
    return m_task->isRunning();
}

int FormCombList::chosenCount() const
{
    return int(std::count_if(m_numberBoxes.begin(), m_numberBoxes.end(), [](const QCheckBox *box) { return box->isChecked(); }));
}

int FormCombList::selectedEntry() const
{
    const QList<QListWidgetItem *> selected = m_poolList->selectedItems();
    return selected.isEmpty() ? -1 : m_poolList->row(selected.first());
}

void FormCombList::showPool(int selected)
{
    m_showingPool = true;
    // Only the order or the keys changed: the entries are relabelled and the list stays scrolled.
    if (m_poolList->count() != m_pool.size()) {
        m_poolList->clear();
        for (int i = 0; i < m_pool.size(); ++i) {
            auto *item = new QListWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            m_poolList->addItem(item);
        }
    }
    for (int i = 0; i < m_pool.size(); ++i) {
        QListWidgetItem *item = m_poolList->item(i);
        item->setText(QString::number(m_pool.numbers()[i]));
        item->setCheckState(m_pool.isKey(i) ? Qt::Checked : Qt::Unchecked);
    }
    if (selected >= 0 && selected < m_pool.size()) {
        m_poolList->setCurrentRow(selected);
        m_poolList->scrollToItem(m_poolList->item(selected));
    }
    m_showingPool = false;
}

void FormCombList::Check1_Click(int index)
{
    const QCheckBox *box = Check1(index);
    if (!box)
        return;
    const int selected = selectedEntry();
    const int selectedNumber = selected >= 0 ? m_pool.numbers()[selected] : 0;
    if (box->isChecked())
        m_pool.append(index + 1);
    else
        m_pool.remove(index + 1);
    showPool(m_pool.indexOf(selectedNumber));
    forgetResult();

    if (isPurchaseMode()) {
        MakeTicketHeader();
        MarkTicketRows();
    } else if (!m_busy) {
        MakeCombGrid();
    }
    // All / Clear / Not look at the folder once, when every box is set.
    if (!m_busy)
        CheckPatternFiles();
}

void FormCombList::Command1_Click(int index)
{
    m_busy = true;
    setBoxes(m_numberBoxes, index);
    m_busy = false;
    if (isPurchaseMode())
        MakeTicketHeader();
    else
        MakeCombGrid();
    if (index != BoxesUpdate)
        CheckPatternFiles();
}

void FormCombList::Command2_Click(int index)
{
    const int entry = selectedEntry();
    if (entry < 0)
        return;
    const std::optional<int> moved = index == MoveUp ? m_pool.moveUp(entry) : m_pool.moveDown(entry);
    if (!moved)
        return;
    showPool(*moved);
    forgetResult();
    relabelVisibleGrid();
}

void FormCombList::ListView1_ItemCheck(int index, bool checked)
{
    const int number = m_pool.numbers().value(index);
    const int clickedAt = m_poolList->visualItemRect(m_poolList->item(index)).top();
    const std::optional<int> at = checked ? m_pool.markKey(index) : m_pool.unmarkKey(index);
    if (!at) {
        // A key beyond a ticket's count: the mark goes again, and the folder is read for the keys kept.
        showPool(index);
        showNote(u"キーは%1個までです。"_s.arg(m_picks), Warning | Brief);
        CheckPatternFiles();
        return;
    }
    QScrollBar *bar = m_poolList->verticalScrollBar();
    const int scrolled = bar->value();
    showPool(*at);
    // The number stays under the pointer where the list can scroll that far, so that a quick
    // second click finds it again; else the list stays where it was and only the entries it
    // passed shift by one.
    bar->setValue(scrolled);
    const int keptAt = scrolled + m_poolList->visualItemRect(m_poolList->item(*at)).top() - clickedAt;
    if (keptAt >= bar->minimum() && keptAt <= bar->maximum())
        bar->setValue(keptAt);
    forgetResult();
    if (*at != index)
        showNote(checked ? u"キー %1 を先頭へ移しました"_s.arg(number) : u"%1 をキーの後ろへ移しました"_s.arg(number), Brief);
    relabelVisibleGrid();
    CheckPatternFiles();
    if (checked)
        CutKeyRows();
    else
        Command1_Click(BoxesUpdate);
}

void FormCombList::relabelVisibleGrid()
{
    // Columns stand for pool positions: a move renames them, the rows stay.
    if (isPurchaseMode()) {
        if (m_sheet->positions() == m_pool.size()) {
            m_sheet->setHeader(m_pool.numbers());
            m_ticketGrid->refresh();
        }
    } else if (m_combinations.rowCount() > 0 && m_combinations.poolSize() == m_pool.size()) {
        setCombinations(CombinationTable(m_pool.numbers(), m_picks, m_combinations.keys()), true);
    }
}

void FormCombList::setCombinations(CombinationTable table, bool keepPlace)
{
    m_combinations = std::move(table);
    m_combinationGrid->setSource(std::make_shared<CombinationCells>(m_combinations), keepPlace);
}

void FormCombList::MakeCombGrid()
{
    if (chosenCount() < m_picks) {
        setCombinations(CombinationTable());
        return;
    }
    // The rows that hold every key are computed directly: the key cut is part of the table.
    setCombinations(CombinationTable(m_pool.numbers(), m_picks, m_pool.keyCount()));
    SizeGrids();
}

void FormCombList::CutKeyRows()
{
    const int keys = m_pool.keyCount();
    // Without keys, or with the cut already made, every row stays. A grid left from another
    // pool (built before purchase-pattern mode came on) is rebuilt when the mode goes off.
    if (keys == 0 || keys <= m_combinations.keys() || m_combinations.rowCount() == 0
        || m_combinations.poolSize() != m_pool.size())
        return;
    setCombinations(CombinationTable(m_pool.numbers(), m_picks, keys));
    SizeGrids();
}

void FormCombList::MakeTicketHeader()
{
    if (chosenCount() < m_picks) {
        m_sheet->setHeader({});
        m_ticketGrid->refresh();
        return;
    }
    m_sheet->setHeader(m_pool.numbers());
    m_ticketGrid->refresh();
    SizeGrids();
}

void FormCombList::SizeGrids()
{
    m_combinationGrid->fitCells();
    m_ticketGrid->fitCells();
    const QString status = isPurchaseMode()
                               ? selectionStatusText(m_sheet->gridColumns(), m_sheet->gridRows())
                               : selectionStatusText(m_combinations.gridColumns(), m_combinations.gridRows());
    m_status->setPanelText(2, status);
}

void FormCombList::MarkTicketRows()
{
    // The row headers are coloured from the tickets as they are painted.
    m_ticketGrid->viewport()->update();
}

void FormCombList::Check2_Click()
{
    Command1_Click(BoxesUpdate);
    m_pages->setCurrentIndex(isPurchaseMode() ? PurchasePage : NormalPage);
    if (isPurchaseMode())
        fitResultList();
    SizeGrids();
    MarkTicketRows();
}

void FormCombList::Command4_Click(int index)
{
    if (index == MoveUp) {
        if (!m_sheet->removeLastRow())
            return;
    } else {
        m_sheet->addRow();
    }
    m_ticketGrid->refresh();
    forgetResult();
    if (index == MoveDown)
        m_ticketGrid->scrollToRow(m_sheet->rowCount());
    SizeGrids();
    MarkTicketRows();
}

void FormCombList::MSFlexGrid2_Click(int row, int column)
{
    if (row <= 0 || column <= 0)
        return;
    m_sheet->toggle(row - 1, column);
    forgetResult();
    MarkTicketRows();
}

void FormCombList::Command3_Click(int index)
{
    LoadPatternFile(index);
}

void FormCombList::LoadPatternFile(int tierButton)
{
    const PatternFolder::Request request{m_picks, tierButton + 3, chosenCount(), m_pool.keyCount()};
    const QString folder = patternFolder();
    const QString file = m_cursor.next(request, PatternFolder::matchingFiles(folder, request));
    if (file.isEmpty()) {
        // The files went since the buttons were last set: nothing to open, the grid stays.
        Messages::warn(this, PatternFile::cannotOpenMessage(PatternFolder::patternMask(request)));
        CheckPatternFiles();
        return;
    }
    if (!isPurchaseMode())
        m_purchaseBox->setChecked(true);
    const PatternFile::Loaded loaded = PatternFile::LoadPatternFile(QDir(folder).filePath(file), m_sheet->positions());
    if (!loaded.ok()) {
        Messages::warn(this, loaded.error);
        return;
    }
    m_sheet->load(loaded.content.tickets);
    m_ticketGrid->setSource(std::make_shared<TicketCells>(m_sheet, m_picks));
    forgetResult();
    SizeGrids();
    MarkTicketRows();
    checkLoadedPattern(file, request.tier);
}

void FormCombList::checkLoadedPattern(const QString &file, int tier)
{
    // The verdict on an older load would name the wrong file.
    m_check->drop();
    const PatternVerify::Input input = m_sheet->verifyInput(m_picks, m_pool.keyCount());
    const auto verdict = [this, file, tier](std::optional<int> leastMatch) { showVerdict(file, tier, leastMatch); };
    if (Combinatorics::binomial(input.pool - input.keys, input.picks - input.keys) <= kQuickCheckDraws) {
        verdict(PatternVerify::leastBestMatch(input));
        return;
    }
    showNote(u"%1 を読み込みました（保証を確かめています…）"_s.arg(file));
    m_check->start(
        [input](BackgroundTask::Run &run) {
            PatternVerify::Options options;
            options.cancel = run.cancelFlag();
            return PatternVerify::leastBestMatch(input, options);
        },
        verdict);
}

void FormCombList::showVerdict(const QString &file, int tier, std::optional<int> leastMatch)
{
    // Without a single complete ticket nothing is guaranteed (no match at all).
    const PatternVerify::Verdict verdict = PatternVerify::judge(m_picks, tier, leastMatch.value_or(0));
    const QString label = PatternVerify::guaranteeLabel(verdict.tier);
    if (verdict.holds())
        showNote(u"%1 を読み込みました（保証：%2）"_s.arg(file, label));
    else
        showNote(u"%1 を読み込みましたが、名前の%2を保証しません（保証：%3）"_s.arg(file, GameRules::tierLabel(tier), label), Warning);
}

void FormCombList::showNote(const QString &text, int flags)
{
    QLabel *note = m_status->panel(kNotePanel);
    QPalette palette;
    if (flags & Warning)
        palette.setColor(QPalette::WindowText, Qt::red);
    note->setPalette(palette);
    note->setText(text);
    if (flags & Brief)
        m_noteTimer.start();
    else
        m_noteTimer.stop();
}

QString FormCombList::patternFolder()
{
    // Made, with the shipped wheels, by the first look only: not again at every tick.
    if (m_patternFolder.isEmpty())
        m_patternFolder = PatternFolder::ready();
    return m_patternFolder;
}

void FormCombList::CheckPatternFiles()
{
    const PatternAvailability found =
        ::CheckPatternFiles(patternFolder(), m_picks, chosenCount(), m_pool.keyCount());
    for (int i = 0; i < m_tierButtons.size(); ++i)
        m_tierButtons[i]->setEnabled(found.isEnabled(i + 3));
    m_status->setPanelText(3, found.statusText);
}

void FormCombList::hoverText(VirtualGridView *grid, int row, int column)
{
    const GridSource &cells = grid->source();
    const QString columnPart = cells.columns() > 1 && column > 0 ? u"No "_s + cells.text(0, column) : QString();
    const QString rowPart = cells.rows() > 1 && row > 0 ? cells.text(row, 0) : QString();
    const QString text =
        !columnPart.isEmpty() && !rowPart.isEmpty() ? columnPart + u" - "_s + rowPart : columnPart + rowPart;
    m_status->setPanelText(1, text);
    grid->setToolTip(text);
}

void FormCombList::Command5_Click()
{
    CalcGuarantee();
}

std::vector<quint64> FormCombList::completeTickets() const
{
    // The tickets mapped to the pool's numbers; none while any ticket lacks its count of marks.
    std::vector<quint64> tickets;
    const std::optional<Guarantee::Input> input = m_sheet->guaranteeInput(m_picks);
    if (!input || !Guarantee::isValid(*input))
        return tickets;
    const QList<int> header = m_sheet->header();
    for (int row = 0; row < m_sheet->rowCount(); ++row) {
        quint64 mask = 0;
        for (const int n : PoolGrid::numbers(header, m_sheet->ticket(row).mask))
            mask |= numberBit(n);
        tickets.push_back(mask);
    }
    return tickets;
}

bool FormCombList::eventFilter(QObject *watched, QEvent *event)
{
    if (m_backTestButton && watched == m_ticketGrid->viewport() && event->type() == QEvent::Paint)
        m_backTestButton->setEnabled(!completeTickets().empty());
    return QWidget::eventFilter(watched, event);
}

FormBackTest *FormCombList::backTestWindow() const
{
    return m_backTest;
}

void FormCombList::Command7_Click()
{
    const std::vector<quint64> tickets = completeTickets();
    if (tickets.empty())
        return;
    if (!m_backTest)
        m_backTest = new FormBackTest(m_context, this);
    m_backTest->start(tickets, u"組み合わせ表の購入パターン %1口"_s.arg(tickets.size()));
    showToolWindow(m_backTest, frameBottomLeft(this));
}

void FormCombList::CalcGuarantee()
{
    if (m_task->isRunning())
        return;
    // No ticket, or one without exactly a ticket's count of marks: nothing happens.
    const std::optional<Guarantee::Input> input = m_sheet->guaranteeInput(m_picks);
    if (!input || !Guarantee::isValid(*input))
        return;
    m_task->start(
        [input = *input](BackgroundTask::Run &run) {
            Guarantee::Options options;
            options.cancel = run.cancelFlag();
            options.progress = [&run](qint64 done, qint64 total) { run.setProgress(done, total); };
            return Guarantee::CalcGuarantee(input, options);
        },
        [this](std::optional<Guarantee::Result> result) { calculationDone(result); });
    m_progress->start();
}

void FormCombList::calculationDone(const std::optional<Guarantee::Result> &result)
{
    m_progress->finish();
    if (result)
        showResult(*result);
    Q_EMIT guaranteeFinished(result.has_value());
}

void FormCombList::forgetResult()
{
    if (m_task->isRunning()) {
        m_task->drop();
        calculationDone(std::nullopt);
    }
    m_results->clear();
    // Nor does the verdict on a loaded file speak of these tickets any more.
    m_check->drop();
    showNote({});
}

void FormCombList::showResult(const Guarantee::Result &result)
{
    m_results->clear();
    const QStringList headers = GuaranteeTable::headers(m_picks);
    m_results->setColumnCount(int(headers.size()));
    m_results->setHeaderLabels(headers);
    for (int c = 1; c < headers.size(); ++c)
        m_results->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    QList<QTreeWidgetItem *> items;
    for (const QStringList &cells : GuaranteeTable::texts(result)) {
        auto *item = new QTreeWidgetItem(cells);
        for (int c = 1; c < cells.size(); ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_results->addTopLevelItems(items);
    // Each column as wide as its header or widest cell: this list is never sorted, so a header
    // needs no room for a sort arrow, and at the window's usual sizes every column fits.
    m_results->setColumnWidth(0, 0);
    for (int c = 1; c < headers.size(); ++c)
        m_results->resizeColumnToContents(c);
    fitResultList();
}

void FormCombList::fitResultList()
{
    // The result list as wide as its columns, as long as the ticket grid keeps a quarter.
    int wanted = 2 * m_results->frameWidth() + m_results->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_results->columnCount(); ++c)
        wanted += m_results->columnWidth(c);
    const QList<int> sizes = m_purchase->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0)
        return;
    const int list = std::min(wanted, total - total / 4);
    m_purchase->setSizes({list, total - list});
}

void FormCombList::Command6_Click()
{
    QWidget *manager = m_context.program().programWindow(CombinationTools::PatternManager);
    if (!manager)
        return;
    if (auto *link = dynamic_cast<PatternManagerLink *>(manager))
        link->PatternAll(m_picks);
    showToolWindow(manager);
}

void FormCombList::closeEvent(QCloseEvent *event)
{
    // Only hidden: pool, grids and result stay until the main window replaces the list.
    hide();
    event->ignore();
}

void FormCombList::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    SizeGrids();
}
