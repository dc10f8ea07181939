#include "purchases/formbuyhistory.h"

#include "core/controlarray.h"
#include "core/drawrecord.h"
#include "core/filedialogs.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/game.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/selectionmirror.h"
#include "core/viewexport.h"
#include "core/widgets.h"
#include "lookups/formbacktest.h"
#include "lookups/formoldhit.h"
#include "purchases/hitcelldelegate.h"
#include "purchases/purchaselistmodel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {
constexpr int kMargin = 8;
constexpr int kSetsWidth = 190;
constexpr int kBoxHeight = 22;
constexpr int kNumberBoxWidth = 30;
constexpr int kNumberBoxStep = 34;
constexpr int kTicketBoxLeft = 10 + 6 * kNumberBoxStep + 8;
constexpr int kDrawRowTop = 72;  // the edit panel's row of the draw number

QString historyFilter()
{
    return u"*購入履歴.csv|*購入履歴.csv|*.csv|*.csv|*.*|*.*"_s;
}

const DrawTable &tableOf(const ToolContext &context, DrawTable &fallback)
{
    if (const DrawTable *first = context.firstTable())
        return *first;
    fallback.reset(context.runMode());
    return fallback;
}

QLabel *addLabel(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}
} // namespace

FormBuyHistory::FormBuyHistory(const ToolContext &context, QWidget *parent)
    : QMainWindow(parent ? parent : &context.mainWindow(), Qt::Window),
      m_context(context),
      m_list(tableOf(context, m_noTable))
{
    setObjectName(u"FormBuyHistory"_s);
    setWindowTitle(m_list.caption());
    buildMenus();
    buildControls();
    connect(m_csvAction, &QAction::triggered, this, [this] { ViewExport::saveAsCsv(this, ListView1(0)); });
    buildEditPanel();
    rebuildNumberSets();
    fitColumns(0);
    fitColumns(1);
    ShowSelCount();
    resize(660, 460);
}

FormBuyHistory::~FormBuyHistory()
{
    // The models read the list, which goes before the base class deletes the views.
    for (std::unique_ptr<SelectionMirror> &mirror : m_selections)
        mirror.reset();
    for (QTreeView *view : m_views)
        view->setModel(nullptr);
}

void FormBuyHistory::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu(u"データ(&D)"_s);
    file->setObjectName(u"menuBuyData"_s);
    QAction *fresh = file->addAction(u"新規"_s);
    fresh->setObjectName(u"menuBuyDataNew"_s);
    connect(fresh, &QAction::triggered, this, &FormBuyHistory::menuBuyDataNew_Click);
    QAction *load = file->addAction(u"読込み"_s);
    load->setObjectName(u"menuBuyDataLoad"_s);
    connect(load, &QAction::triggered, this, &FormBuyHistory::menuBuyDataLoad_Click);
    file->addSeparator();
    QAction *save = file->addAction(u"上書き保存"_s);
    save->setObjectName(u"menuBuyDataSave"_s);
    connect(save, &QAction::triggered, this, [this] { menuBuyDataSave_Click(); });
    QAction *saveAs = file->addAction(u"名前を変更して保存"_s);
    saveAs->setObjectName(u"menuBuyDataSaveRename"_s);
    connect(saveAs, &QAction::triggered, this, [this] { menuBuyDataSaveRename_Click(); });
    file->addSeparator();
    // The purchase list as a spreadsheet reads it (the history file itself stays the program's).
    m_csvAction = file->addAction(u"CSV で保存…"_s);

    QAction *edit = bar->addAction(u"エディット(&E)"_s);
    edit->setObjectName(u"menuEdit"_s);
    connect(edit, &QAction::triggered, this, &FormBuyHistory::menuEdit_Click);

    m_popup = new QMenu(this);
    m_popup->setObjectName(u"ListRmenu"_s);
    QAction *send = m_popup->addAction(u"過去の抽選結果と照合 へ送る"_s);
    send->setObjectName(u"RmenuOldHit"_s);
    connect(send, &QAction::triggered, this, &FormBuyHistory::RmenuOldHit_Click);
    QAction *backTest = m_popup->addAction(u"過去の抽選で検証"_s);
    backTest->setObjectName(u"RmenuBackTest"_s);
    connect(backTest, &QAction::triggered, this, &FormBuyHistory::RmenuBackTest_Click);
}

void FormBuyHistory::buildControls()
{
    m_central = new QWidget(this);
    setCentralWidget(m_central);
    m_central->installEventFilter(this);

    for (int i = 0; i < 2; ++i) {
        auto *view = new QTreeView(m_central);
        setControlIndex(view, u"ListView1"_s, i);
        m_models[i] = new PurchaseListModel(i == 0 ? m_list.purchases() : m_list.filtered(), m_list.columns(), this);
        view->setModel(m_models[i]);
        setupReportList(view);
        view->setItemDelegate(new HitCellDelegate(view));
        HitCellDelegate::useLightSelection(view);
        connect(view->header(), &QHeaderView::sectionClicked, this, &FormBuyHistory::ListView1_ColumnClick);
        connect(view, &QTreeView::clicked, this, [this, i](const QModelIndex &index) { ListView1_Click(i, index.row()); });
        m_selections[i] = std::make_unique<SelectionMirror>(
            view, [this, i](int r) { return (i == 0 ? m_list.purchases() : m_list.filtered()).isSelected(r); },
            [this](int first, int last, bool on) {
                for (int r = first; r <= last; ++r)
                    m_list.setVisibleSelected(r, on);
            },
            [this] {
                mirrorFilteredSelection();
                ShowSelCount();
            });
        // Only the list on screen takes clicks; the purchase list lies hidden behind a filter.
        m_selections[i]->setTakesClicks([this, i] { return i == (m_list.filterShown() ? 1 : 0); });
        m_views[i] = view;
    }
    // The filtered list lies over the purchase list and shows only while sets are chosen.
    m_views[1]->hide();
    m_views[1]->raise();

    m_sets = new QListWidget(m_central);
    m_sets->setObjectName(u"List1"_s);
    m_sets->setSelectionMode(QAbstractItemView::MultiSelection);
    m_sets->setUniformItemSizes(true);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({u"ＭＳ ゴシック"_s, fixed.family()});
    m_sets->setFont(fixed);
    m_sets->installEventFilter(this);
    m_sets->viewport()->installEventFilter(this);
    connect(m_sets, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_settingSets)
            return;
        QList<bool> chosen;
        for (int i = 0; i < m_sets->count(); ++i)
            chosen.append(m_sets->item(i)->isSelected());
        m_list.chooseNumberSets(chosen);
        List1_Click();
    });

    auto *buttons = new QWidget(m_central);
    buttons->setObjectName(u"Command1Group"_s);
    auto *row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    const QList<QPushButton *> selectButtons = addButtonGroup(row, buttons, u"Command1"_s, {u"Select Clear"_s, u"Select All"_s},
                                                              [this](int index) { Command1_Click(index); });
    buttons->adjustSize();
    // Tab as the window reads: the sets at the top left, the buttons beside them, the lists below.
    QList<QWidget *> chain{m_sets};
    for (QPushButton *button : selectButtons)
        chain.append(button);
    chain.append({m_views[0], m_views[1]});
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    // Panel 3 counts the invalid lines.
    m_status = new PanelStatusBar(3, this);
    setStatusBar(m_status);
}

void FormBuyHistory::buildEditPanel()
{
    m_frame = new QGroupBox(u"エディット"_s, m_central);
    m_frame->setObjectName(u"Frame1"_s);
    m_frame->setAutoFillBackground(true);
    m_frame->installEventFilter(this);
    buildTicketBoxes();
    buildDrawBoxes();
    const QWidget *buttons = buildEditButtons();
    setPanelTabOrder();
    m_frame->resize(370, buttons->geometry().bottom() + 10);
    m_frame->move(twipsToPixels(600), 0);
    m_frame->hide();
    Text2_Change(0);
}

void FormBuyHistory::buildTicketBoxes()
{
    addLabel(m_frame, u"購入数字"_s, 10, 20);
    addLabel(m_frame, u"口数"_s, kTicketBoxLeft, 20);
    for (int i = 0; i < 7; ++i) {
        auto *box = new NumericLineEdit(m_frame);
        setControlIndex(box, u"Text1"_s, i);
        box->setAlignment(Qt::AlignRight);
        box->setToolTip(i < 6 ? u"購入数字"_s : u"口数"_s);
        box->setGeometry(i < 6 ? 10 + i * kNumberBoxStep : kTicketBoxLeft, 38,
                         i < 6 ? kNumberBoxWidth : kNumberBoxWidth + 8, kBoxHeight);
        m_ticketBoxes.append(box);
    }
    // miniLOTO asks five numbers: box 5 takes the ticket count in box 6's place.
    if (m_list.runMode() == Game::MiniLoto) {
        m_ticketBoxes[6]->hide();
        m_ticketBoxes[5]->setGeometry(m_ticketBoxes[6]->geometry());
        m_ticketBoxes[5]->setToolTip(u"口数"_s);
    }
}

void FormBuyHistory::buildDrawBoxes()
{
    const int y = kDrawRowTop;
    addLabel(m_frame, u"抽選回"_s, 10, y + 3);
    addLabel(m_frame, u"継続回数"_s, 232, y + 3);
    const int boxLeft[2] = {56, 290};
    const int boxWidth[2] = {52, 40};
    const QString tips[2] = {u"抽選回"_s, u"継続回数"_s};
    const QString initial[2] = {u"380"_s, u"1"_s};
    for (int i = 0; i < 2; ++i) {
        auto *box = new NumericLineEdit(initial[i], m_frame);
        setControlIndex(box, u"Text2"_s, i);
        box->setAlignment(Qt::AlignRight);
        box->setToolTip(tips[i]);
        box->setGeometry(boxLeft[i], y, boxWidth[i], kBoxHeight);
        connect(box, &QLineEdit::textChanged, this, [this, i] { Text2_Change(i); });
        m_drawBoxes.append(box);
        m_drawBoxTexts.append(box->text());

        auto *spinner = new QWidget(m_frame);
        setControlIndex(spinner, u"UpDown1"_s, i);
        spinner->setGeometry(boxLeft[i] + boxWidth[i], y, 16, kBoxHeight);
        for (const auto &[name, arrow, delta] : {std::tuple{u"up"_s, Qt::UpArrow, 1}, std::tuple{u"down"_s, Qt::DownArrow, -1}}) {
            auto *button = new QToolButton(spinner);
            button->setObjectName(name);
            button->setArrowType(arrow);
            button->setAutoRepeat(true);
            // The boxes take the keys; the arrows are for the mouse.
            button->setFocusPolicy(Qt::NoFocus);
            button->setGeometry(0, delta > 0 ? 0 : kBoxHeight / 2, 16, kBoxHeight / 2);
            connect(button, &QToolButton::clicked, this, [this, i, d = delta] { stepBox(i, d); });
        }
    }
    m_date = new QLabel(m_frame);
    m_date->setObjectName(u"Label2"_s);
    m_date->setGeometry(boxLeft[0] + boxWidth[0] + 22, y, 100, kBoxHeight);
}

QWidget *FormBuyHistory::buildEditButtons()
{
    auto *buttons = new QWidget(m_frame);
    auto *row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    const QStringList captions{u"選択行を削除"_s, u"追加"_s, u"変更"_s};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QPushButton(captions[i], buttons);
        setControlIndex(button, u"Command2"_s, i);
        connect(button, &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
        m_commands.append(button);
    }
    // Add and change come first on screen, the delete apart at the right.
    row->addWidget(m_commands[AddEntry]);
    row->addWidget(m_commands[ChangeEntry]);
    row->addStretch(1);
    row->addWidget(m_commands[DeleteSelected]);
    buttons->setGeometry(10, kDrawRowTop + kBoxHeight + 10, 350, m_commands[0]->sizeHint().height());
    return buttons;
}

void FormBuyHistory::setPanelTabOrder()
{
    // The boxes as they are read (the numbers, the tickets, the draw, the continuation), then
    // add, change and, last, the delete; Enter in the last box adds.
    QList<QWidget *> chain;
    for (int i = 0; i <= m_list.runMode(); ++i)
        chain.append(m_ticketBoxes[i]);
    chain.append({m_drawBoxes[0], m_drawBoxes[1], m_commands[AddEntry], m_commands[ChangeEntry],
                  m_commands[DeleteSelected]});
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    connect(m_drawBoxes[1], &QLineEdit::returnPressed, this, [this] { Command2_Click(AddEntry); });
}

void FormBuyHistory::layoutControls()
{
    const int listsTop = kMargin + twipsToPixels(420) + 6;
    m_sets->setGeometry(kMargin, kMargin, kSetsWidth, setsHeight());
    if (QWidget *buttons = m_central->findChild<QWidget *>(u"Command1Group"_s))
        buttons->move(kMargin + kSetsWidth + kMargin, kMargin);
    const int width = m_central->width() - kMargin - twipsToPixels(240);
    const int height = m_central->height() - listsTop - kMargin;
    // Too small a window keeps the last layout that fitted.
    if (width <= 0 || height <= 0)
        return;
    for (QTreeView *view : m_views)
        view->setGeometry(kMargin, listsTop, width, height);
}

int FormBuyHistory::setsHeight() const
{
    // Whole rows only: one when shrunk, as many as fit when expanded.
    const int frame = 2 * m_sets->frameWidth();
    const int rows = std::max(1, (twipsToPixels(m_setsExpanded ? 1680 : 420) - frame) / setRowHeight());
    return frame + rows * setRowHeight();
}

int FormBuyHistory::setRowHeight() const
{
    return twipsToPixels(420) - 2 * m_sets->frameWidth();
}

void FormBuyHistory::setSetsExpanded(bool expanded)
{
    m_setsExpanded = expanded;
    m_sets->resize(kSetsWidth, setsHeight());
    if (expanded)
        m_sets->raise();
    else
        scrollSetsToChoice();
}

void FormBuyHistory::scrollSetsToChoice()
{
    // The shrunk list shows the first chosen item, so the filter in force can be read.
    const QList<QListWidgetItem *> chosen = m_sets->selectedItems();
    if (!chosen.isEmpty())
        m_sets->scrollToItem(chosen.front(), QAbstractItemView::PositionAtTop);
}

QTreeView *FormBuyHistory::ListView1(int index) const
{
    return index == 0 || index == 1 ? m_views[index] : nullptr;
}

NumericLineEdit *FormBuyHistory::Text1(int index) const
{
    return m_ticketBoxes.value(index);
}

NumericLineEdit *FormBuyHistory::Text2(int index) const
{
    return m_drawBoxes.value(index);
}

QList<FormOldHit *> FormBuyHistory::checkWindows() const
{
    QList<FormOldHit *> out;
    for (const QPointer<FormOldHit> &check : m_checkOrder) {
        if (check)
            out.append(check.data());
    }
    return out;
}

void FormBuyHistory::changeLists(const std::function<void()> &change)
{
    // A reset forgets the column widths; the lists keep what the user or the last fit gave them.
    QList<int> widths[2];
    for (int i = 0; i < 2; ++i) {
        const QHeaderView *header = m_views[i]->header();
        for (int c = 0; c < header->count(); ++c)
            widths[i].append(header->sectionSize(c));
        m_models[i]->beginChange();
    }
    change();
    for (int i = 0; i < 2; ++i) {
        m_models[i]->endChange();
        for (int c = 0; c < widths[i].size(); ++c)
            m_views[i]->setColumnWidth(c, widths[i][c]);
        m_selections[i]->push();
    }
    m_views[1]->setVisible(m_list.filterShown());
    if (m_list.filterShown())
        m_views[1]->raise();
}

void FormBuyHistory::mirrorFilteredSelection()
{
    // Change and delete act on the purchase list: behind a filter its selection is always the
    // entries of the rows selected on screen, however they were selected, never rows out of sight.
    if (!m_list.filterShown())
        return;
    m_list.entryClicked(-1);
    m_selections[0]->push();
}

void FormBuyHistory::rebuildNumberSets()
{
    m_settingSets = true;
    m_sets->clear();
    m_sets->addItems(m_list.numberSets());
    const QFontMetrics metrics = m_sets->fontMetrics();
    for (int i = 0; i < m_sets->count(); ++i)
        m_sets->item(i)->setSizeHint(QSize(metrics.horizontalAdvance(m_sets->item(i)->text()) + 8, setRowHeight()));
    m_settingSets = false;
    showSetSelection();
}

void FormBuyHistory::showSetSelection()
{
    m_settingSets = true;
    for (int i = 0; i < m_sets->count(); ++i)
        m_sets->item(i)->setSelected(m_list.isNumberSetSelected(i));
    m_settingSets = false;
    if (!m_setsExpanded)
        scrollSetsToChoice();
}

void FormBuyHistory::fitColumns(int index)
{
    // Every column as wide as its header and its widest cell, even with no row or no winnings,
    // so that no header is cut and no column vanishes; only column 0 stays hidden.
    QTreeView *view = m_views[index];
    const PurchaseRows &rows = m_models[index]->rows();
    // All columns in one pass over the rows: an entry's cells are read while it is at hand.
    std::vector<int> widest;
    LvwAutoSize(view, false, 0, [&](int column, const TextMeasure &measure) {
        if (widest.empty()) {
            widest.assign(size_t(m_models[index]->columnCount()), 0);
            for (int r = 0; r < rows.count(); ++r) {
                for (size_t c = 1; c < widest.size(); ++c) {
                    const QString text = rows.cellText(r, int(c));
                    if (!text.isEmpty())
                        widest[c] = std::max(widest[c], measure(text));
                }
            }
        }
        return widest[size_t(column)];
    });
    view->setColumnWidth(0, 0);
}

void FormBuyHistory::finishEdit()
{
    rebuildNumberSets();
    fitColumns(0);
    ShowSelCount();
}

bool FormBuyHistory::MakeListView(const QString &CSVFile)
{
    PurchaseFile::Result result;
    changeLists([&] { result = m_list.load(CSVFile); });
    if (!result.ok()) {
        Messages::warn(this, result.message, result.detail);
        return false;
    }
    setWindowTitle(m_list.caption());
    for (QTreeView *view : m_views) {
        view->header()->setSortIndicatorShown(true);
        view->header()->setSortIndicator(PurchaseColumn::Kai, Qt::AscendingOrder);
    }
    finishEdit();
    // The lines that are no purchases, once, with the list already on screen.
    if (!result.message.isEmpty())
        Messages::warn(this, result.message, result.detail);
    return true;
}

bool FormBuyHistory::WriteBuyData(const QString &path)
{
    const PurchaseFile::Result result = m_list.save(path);
    if (!result.ok()) {
        Messages::warn(this, result.message);
        return false;
    }
    setWindowTitle(m_list.caption());
    return true;
}

void FormBuyHistory::menuBuyDataNew_Click()
{
    if (!mayDiscard())
        return;
    changeLists([&] { m_list.clear(); });
    setWindowTitle(m_list.caption());
    for (QTreeView *view : m_views)
        view->header()->setSortIndicatorShown(false);
    finishEdit();
}

void FormBuyHistory::menuBuyDataLoad_Click()
{
    // Another history replaces this one: unsaved entries are asked about first.
    if (!mayDiscard())
        return;
    const QString folder =
        m_list.hasFileName() ? QFileInfo(m_list.fileName()).absolutePath() : QCoreApplication::applicationDirPath();
    const QString path = FileDialogs::getOpenFileName(this, historyFilter(), folder);
    if (!path.isEmpty())
        MakeListView(path);
}

bool FormBuyHistory::menuBuyDataSave_Click()
{
    if (!m_list.hasFileName())
        return menuBuyDataSaveRename_Click();
    if (!m_list.fileChangedOnDisk())
        return WriteBuyData(m_list.fileName());
    // Another writer changed the file since it was read or written here.
    const QMessageBox::StandardButton answer = Messages::show(
        this,
        u"ファイルが、読み込んだ後（または前回の保存の後）にほかで変更されています。\n"_s
            + QDir::toNativeSeparators(m_list.fileName())
            + u"\n\n「保存」でこの内容を上書き、「開く」でファイルを読み込み直し、「キャンセル」で保存をやめます。"_s,
        Messages::Icon::Question, QMessageBox::Save | QMessageBox::Open | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return WriteBuyData(m_list.fileName());
    if (answer != QMessageBox::Open)
        return false;
    // Reloading drops the entries here: those not saved yet are asked about first.
    if (m_list.isModified()) {
        const QMessageBox::StandardButton unsaved =
            Messages::askToSave(this, u"購入履歴の変更が保存されていません。保存しますか？"_s);
        if (unsaved == QMessageBox::Save)
            return WriteBuyData(m_list.fileName());
        if (unsaved != QMessageBox::Discard)
            return false;
    }
    MakeListView(m_list.fileName());
    return false;
}

bool FormBuyHistory::menuBuyDataSaveRename_Click()
{
    const QString folder =
        m_list.hasFileName() ? QFileInfo(m_list.fileName()).absolutePath() : QCoreApplication::applicationDirPath();
    const QString chosen = FileDialogs::getSaveFileName(this, historyFilter(), folder);
    const QString path = PurchaseFile::savePath(chosen);
    if (path.isEmpty())
        return false;
    // The dialog asked about the name chosen, not about the one the extension made.
    if (path != chosen && QFileInfo::exists(path)
        && Messages::show(this, u"%1 は既にあります。上書きしますか？"_s.arg(QFileInfo(path).fileName()),
                          Messages::Icon::Question, QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
        return false;
    return WriteBuyData(path);
}

void FormBuyHistory::menuEdit_Click()
{
    m_drawBoxes[0]->setText(QString::number(m_list.nextDrawNumber()));
    m_frame->setVisible(m_frame->isHidden());
    m_frame->raise();
}

void FormBuyHistory::Command1_Click(int index)
{
    m_list.selectAllVisible(index == FormMain::SelectAll);
    m_selections[m_list.filterShown() ? 1 : 0]->push();
    mirrorFilteredSelection();
    ShowSelCount();
}

PurchaseInput::Boxes FormBuyHistory::panelBoxes() const
{
    QStringList text1;
    QStringList text2;
    for (const NumericLineEdit *box : m_ticketBoxes)
        text1.append(box->text());
    for (const NumericLineEdit *box : m_drawBoxes)
        text2.append(box->text());
    return PurchaseInput::fromControls(m_list.runMode(), text1, text2);
}

void FormBuyHistory::Command2_Click(int index)
{
    if (index == DeleteSelected) {
        const int selected = m_list.purchases().selectedCount();
        if (selected == 0
            || Messages::show(this, u"選択した %1 行を削除しますか？"_s.arg(selected), Messages::Icon::Question,
                              QMessageBox::Yes | QMessageBox::No)
                != QMessageBox::Yes)
            return;
    }
    QString message;
    changeLists([&] {
        if (index == DeleteSelected)
            m_list.removeSelected();
        else if (index == AddEntry)
            message = m_list.add(panelBoxes());
        else if (index == ChangeEntry)
            message = m_list.change(panelBoxes());
    });
    if (!message.isEmpty()) {
        Messages::warn(this, message);
        return;
    }
    finishEdit();
}

void FormBuyHistory::List1_Click()
{
    changeLists([&] { m_list.applyFilter(); });
    mirrorFilteredSelection();
    // Nothing chosen means "全表示", which the list chose itself.
    showSetSelection();
    if (m_list.filterShown())
        fitColumns(1);
    ShowSelCount();
}

void FormBuyHistory::ListView1_ColumnClick(int column)
{
    changeLists([&] { m_list.sortByColumn(column); });
    for (QTreeView *view : m_views) {
        view->header()->setSortIndicatorShown(true);
        view->header()->setSortIndicator(column, m_list.sortOrder());
    }
}

void FormBuyHistory::ListView1_Click(int index, int row)
{
    // Only the list on screen takes clicks; the purchase list lies hidden behind a filter.
    if (index != (m_list.filterShown() ? 1 : 0))
        return;
    // The purchase list's marks already follow the filtered list's selection.
    const PurchaseInput::Panel panel = m_list.entryClicked(row);
    ShowSelCount();
    if (m_frame->isHidden() || panel.numbers.isEmpty())
        return;
    m_drawBoxes[0]->setText(panel.drawNo);
    m_drawBoxes[1]->setText(panel.count);
    const int picks = m_list.runMode();
    for (int i = 0; i < picks; ++i)
        m_ticketBoxes[i]->setText(panel.numbers.value(i));
    m_ticketBoxes[picks]->setText(panel.tickets);
}

void FormBuyHistory::RmenuBackTest_Click()
{
    // Each number set of the selected entries, bought every draw as many times as its entry
    // says (the most, where several entries hold it): the same set bought week after week
    // counts once per draw, not once per week.
    const PurchaseRows &rows = m_list.visible();
    QMap<quint64, qint64> sets;
    for (int r = 0; r < rows.count(); ++r) {
        const PurchaseEntry &entry = rows.at(r);
        if (!rows.isSelected(r) || !entry.isValid())
            continue;
        quint64 mask = 0;
        for (int i = 0; i < entry.picks(); ++i)
            mask |= numberBit(entry.values[size_t(i)]);
        sets[mask] = std::max(sets.value(mask), entry.tickets);
    }
    std::vector<quint64> tickets;
    for (auto it = sets.cbegin(); it != sets.cend(); ++it)
        tickets.insert(tickets.end(), size_t(it.value()), it.key());
    if (tickets.empty()) {
        Messages::warn(this, u"検証する購入を選んでください。"_s);
        return;
    }
    if (!m_backTest)
        m_backTest = new FormBackTest(m_context, this);
    m_backTest->start(tickets, u"購入履歴の %1 組（1回 %2口）"_s.arg(sets.size()).arg(tickets.size()));
    showToolWindow(m_backTest, frameBottomRight(this));
}

void FormBuyHistory::RmenuOldHit_Click()
{
    const int picks = m_list.runMode();
    for (const QString &set : m_list.numberSetsToSend()) {
        QPointer<FormOldHit> &check = m_checks[set];
        if (!check) {
            check = new FormOldHit(m_context, this);
            m_checkOrder.append(check);
        }
        showToolWindow(check, frameBottomRight(this));
        const QStringList numbers = PurchaseList::numbersOfSet(set);
        for (int i = 0; i < 6; ++i)
            check->Text1(i)->setText(i < picks ? numbers.value(i) : QString());
        check->Command1_Click();
    }
}

void FormBuyHistory::ShowSelCount()
{
    m_status->setPanelText(1, m_list.selectionText());
    m_status->setPanelText(2, m_list.totalsText());
    m_status->setPanelText(3, m_list.invalidText());
}

void FormBuyHistory::Text2_Change(int index)
{
    NumericLineEdit *box = m_drawBoxes[index];
    if (index == 0) {
        // A 0 is refused and the box goes back to what it held.
        if (const QString refusal = PurchaseInput::drawBoxRefusal(box->text()); !refusal.isEmpty()) {
            Messages::warn(this, refusal);
            box->setText(m_drawBoxTexts[0]);
            return;
        }
    } else if (const std::optional<QString> corrected = PurchaseInput::correctedCountBox(box->text())) {
        box->setText(*corrected);
        return;
    }
    m_drawBoxTexts[index] = box->text();
    m_date->setText(m_list.panelDate(m_drawBoxes[0]->text()));
}

void FormBuyHistory::stepBox(int index, int delta)
{
    const qint64 value = parseNumber(m_drawBoxes[index]->text()).value_or(0);
    m_drawBoxes[index]->setText(QString::number(std::clamp<qint64>(value + delta, 1, PurchaseEntry::kMaxDrawNo)));
}

bool FormBuyHistory::mayDiscard()
{
    if (!m_list.isModified())
        return true;
    QWidget *parent = isVisible() ? this : parentWidget();
    const QMessageBox::StandardButton answer =
        Messages::askToSave(parent, u"購入履歴の変更が保存されていません。保存しますか？"_s);
    // A save may end in reading the file again instead, which leaves nothing unsaved either.
    if (answer == QMessageBox::Save)
        return menuBuyDataSave_Click() || !m_list.isModified();
    return answer == QMessageBox::Discard;
}

void FormBuyHistory::closeEvent(QCloseEvent *event)
{
    for (FormOldHit *check : checkWindows())
        check->close();
    // Only hidden: the entries, the file and the filter stay for the next showing.
    hide();
    event->ignore();
}

bool FormBuyHistory::eventFilter(QObject *watched, QEvent *event)
{
    // Events that reach the filters while the window is still being built.
    if (!m_frame)
        return QMainWindow::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (watched == m_central && type == QEvent::Resize) {
        layoutControls();
    } else if (watched == m_sets) {
        if (type == QEvent::Enter) {
            setSetsExpanded(true);
            m_sets->setFocus();
        } else if ((type == QEvent::Leave && !m_popup->isVisible()) || type == QEvent::FocusOut) {
            setSetsExpanded(false);
        }
    } else if (watched == m_sets->viewport() && type == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton && m_sets->count() > 1)
            m_popup->popup(mouse->globalPosition().toPoint());
    } else if (watched == m_frame) {
        // The panel moves with the mouse, and a double click puts it away.
        if (type == QEvent::MouseButtonDblClick) {
            m_dragging = false;
            m_frame->hide();
            return true;
        }
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint at = mouse->globalPosition().toPoint();
            if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
                m_dragging = true;
                m_dragFrom = at;
            } else if (type == QEvent::MouseMove && m_dragging) {
                m_frame->move(m_frame->pos() + (at - m_dragFrom));
                m_dragFrom = at;
            } else if (type == QEvent::MouseButtonRelease) {
                m_dragging = false;
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
