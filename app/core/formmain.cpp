#include "core/formmain.h"

#include "core/appfiles.h"
#include "core/controlarray.h"
#include "core/drawfile.h"
#include "core/drawtablemodel.h"
#include "core/numbers.h"
#include "core/filedialogs.h"
#include "core/format.h"
#include "core/formhelpers.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/selectionmirror.h"
#include "core/userdata.h"
#include "core/viewexport.h"
#include "core/widgets.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
bool heldBy(const QObject *object, const QObject *owner)
{
    for (const QObject *o = object->parent(); o; o = o->parent()) {
        if (o == owner)
            return true;
    }
    return false;
}

QAction *addEntry(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}
} // namespace

FormMain::FormMain(Program &program, QWidget *parent) : FormMain(program, false, Game::None, parent) {}

FormMain::FormMain(Program &program, CopyOf copy, QWidget *parent) : FormMain(program, true, copy.runMode, parent) {}

FormMain::FormMain(Program &program, bool copied, int runMode, QWidget *parent)
    : QMainWindow(parent), m_program(program), m_copied(copied)
{
    if (!m_copied)
        m_program.claimFirstWindow(this);
    else {
        // The game comes first, so the tool windows made at start-up already see it.
        m_runMode = runMode;
        m_maxNo = GameRules::of(runMode).maxNo();
    }

    setWindowTitle(u"Zemvara"_s);
    m_model = new DrawTableModel(&m_table, this);
    buildControls();
    buildMenus();
    resize(960, 600);
    Form_Load();
    // The first key typed goes to the count box, never to a button that clears the selection.
    m_rowCountBox->setFocus(Qt::OtherFocusReason);
}

FormMain::~FormMain()
{
    m_tools.closeAll();
    // The view's model reads m_table, which is gone before the base class hides the widgets.
    m_list->setModel(nullptr);
}

void FormMain::recreateTools()
{
    m_tools.recreate(m_program.features(), ToolContext(*this));
}

void FormMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(u"menuBar"_s);
    const FeatureRegistry &features = m_program.features();
    // A feature's entry runs its handler on this window; entries of windows still to come stay
    // disabled.
    auto wire = [this](QAction *action, const FeatureRegistry::MenuEntry &entry) {
        action->setObjectName(entry.objectName);
        action->setEnabled(bool(entry.handler));
        if (entry.handler)
            connect(action, &QAction::triggered, this, [this, handler = entry.handler] { handler(*this); });
        return action;
    };
    auto addEntries = [&](QMenu *menu, FeatureRegistry::Place place) {
        for (const FeatureRegistry::MenuEntry &entry : features.menuEntries(place)) {
            if (!entry.separatorBefore.isEmpty())
                menu->addSeparator()->setObjectName(entry.separatorBefore);
            wire(menu->addAction(entry.caption), entry);
        }
    };

    // Access letters as desktop programs in Japanese write them: after the caption, in brackets.
    m_menuData = bar->addMenu(u"データ(&D)"_s);
    m_menuData->setObjectName(u"menuData"_s);
    QAction *load = addEntry(m_menuData, u"menuDataLoad"_s, u"データ読込み"_s);
    load->setShortcut(QKeySequence::Open);
    connect(load, &QAction::triggered, this, &FormMain::menuDataLoad_Click);
    addEntries(m_menuData, FeatureRegistry::Place::Data);
    m_menuData->addSeparator();
    // Saving needs rows: both entries wait for a file.
    m_csvAction = ViewExport::csvAction(this, m_list);
    m_csvAction->setObjectName(u"menuDataCsv"_s);
    m_csvAction->setEnabled(m_copied);
    m_menuData->addAction(m_csvAction);
    m_saveDrawsAction = addEntry(m_menuData, u"menuDataSaveSelected"_s, u"選択行をデータファイルとして保存"_s);
    m_saveDrawsAction->setEnabled(false);
    connect(m_saveDrawsAction, &QAction::triggered, this, &FormMain::menuDataSaveSelected_Click);
    m_menuData->addSeparator();
    QAction *quit = m_menuData->addAction(u"終了"_s);
    quit->setObjectName(u"menuQuit"_s);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    m_menuAnalysis = bar->addMenu(u"解析(&A)"_s);
    m_menuAnalysis->setObjectName(u"menuAnalysis"_s);
    addEntries(m_menuAnalysis, FeatureRegistry::Place::Analysis);

    m_menuHelp = bar->addMenu(u"ヘルプ(&H)"_s);
    m_menuHelp->setObjectName(u"menuHelp"_s);
    addEntries(m_menuHelp, FeatureRegistry::Place::Help);

    // Commands on the bar itself ("バージョン") stand between the help and the master menu.
    for (const FeatureRegistry::MenuEntry &entry : features.menuEntries(FeatureRegistry::Place::MenuBar))
        m_barCommands.append(wire(bar->addAction(entry.caption), entry));

    m_menuMaster = bar->addMenu(u"マスターメニュー(&M)"_s);
    m_menuMaster->setObjectName(u"menuMaster"_s);
    addEntries(m_menuMaster, FeatureRegistry::Place::Master);
}

void FormMain::buildControls()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *tools = new QHBoxLayout;

    addButtonGroup(tools, central, u"Command1"_s, {u"Select Clear"_s, u"Select All"_s},
                   [this](int index) { Command1_Click(index); });
    tools->addSpacing(16);
    m_rowCountBox = new NumericLineEdit(u"50"_s, central);
    m_rowCountBox->setObjectName(u"Text1"_s);
    m_rowCountBox->setAlignment(Qt::AlignRight);
    m_rowCountBox->setMaximumWidth(64);
    // Enter in the count box selects the last rows, the usual use of the count.
    connect(m_rowCountBox, &QLineEdit::returnPressed, this, [this] { Command2_Click(LastRows); });
    tools->addWidget(m_rowCountBox);
    addButtonGroup(tools, central, u"Command2"_s, {u"行上選択"_s, u"行下選択"_s},
                   [this](int index) { Command2_Click(index); });
    tools->addStretch(1);
    layout->addLayout(tools);

    m_list = new QTreeView(central);
    m_list->setObjectName(u"ListView1"_s);
    m_list->setModel(m_model);
    setupReportList(m_list);
    m_list->setAlternatingRowColors(true);
    m_list->viewport()->installEventFilter(this);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &FormMain::ListView1_ColumnClick);
    connect(m_list, &QTreeView::clicked, this, &FormMain::ShowSelectionCount);
    m_selection = std::make_unique<SelectionMirror>(
        m_list, [this](int r) { return m_table.isSelected(r); },
        [this](int first, int last, bool on) { m_table.setRangeSelected(first, last, on); }, [this] { ShowSelectionCount(); });
    layout->addWidget(m_list, 1);

    setCentralWidget(central);
    m_status = new PanelStatusBar(2, this);
    setStatusBar(m_status);
    setAcceptDrops(!m_copied);

    // Before any load, the empty list says how to get data into it.
    m_hint = new QLabel(u"抽選結果のファイル（LOTO6 または miniLOTO の …Download.csv）を開いてください：\n"
                        u"メニュー「データ」→「データ読込み」（Ctrl+O）、またはファイルをここへドラッグします。"_s,
                        m_list->viewport());
    m_hint->setObjectName(u"emptyHint"_s);
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setWordWrap(true);
    m_hint->setEnabled(false);
    m_hint->setVisible(!m_copied);
}

void FormMain::Form_Load()
{
    m_menuAnalysis->setEnabled(false);
    if (m_copied) {
        m_menuMaster->menuAction()->setVisible(false);
        recreateTools();
        m_menuData->menuAction()->setVisible(false);
        m_menuAnalysis->setEnabled(true);
        m_menuHelp->menuAction()->setVisible(false);
        for (QAction *command : std::as_const(m_barCommands))
            command->setVisible(false);
        return;
    }
    // The window starts at the top edge of the work area.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(pos().x(), screen->availableGeometry().top());
}

void FormMain::setLayout(int runMode)
{
    // The columns decide the game: the window's own, which its tool windows take when made.
    const bool gameChanged = runMode != m_runMode;
    m_runMode = runMode;
    m_maxNo = GameRules::of(runMode).maxNo();
    // A copy closed by the user and filled again by its maker, or filled with draws of another
    // game, gets fresh tool windows.
    if (m_copied && (m_tools.isEmpty() || gameChanged))
        recreateTools();
    rebuildView([&] { m_table.reset(runMode); });
    // New rows stand in the order they are added until the next header click.
    m_list->header()->setSortIndicatorShown(false);
}

void FormMain::MakeLvw6()
{
    setLayout(Game::Loto6);
}

void FormMain::MakeLvw5()
{
    setLayout(Game::MiniLoto);
}

void FormMain::addRow(const QStringList &cells)
{
    const int row = m_table.rowCount();
    m_model->beginAppend(row, row);
    m_table.appendRow(cells);
    m_model->endAppend();
}

void FormMain::addRowFrom(const RowSource &source, int row)
{
    const int at = m_table.rowCount();
    m_model->beginAppend(at, at);
    m_table.appendRowFrom(source, row);
    m_model->endAppend();
}

void FormMain::addRowsFrom(const RowSource &source, const QList<int> &rows)
{
    if (rows.isEmpty())
        return;
    const int at = m_table.rowCount();
    m_model->beginAppend(at, at + int(rows.size()) - 1);
    m_table.reserve(at + int(rows.size()));
    for (const int row : rows)
        m_table.appendRowFrom(source, row);
    m_model->endAppend();
}

void FormMain::autoSizeColumns()
{
    LvwAutoSize(m_list, true, 0);
}

void FormMain::rebuildView(const std::function<void()> &change)
{
    m_model->beginChange();
    change();
    m_model->endChange();
}

void FormMain::Command1_Click(int index)
{
    m_table.setAllSelected(index != SelectClear);
    m_selection->push();
    ShowSelectionCount();
}

void FormMain::Command2_Click(int index)
{
    // An empty box means no count was given: the click is ignored.
    const std::optional<qint64> n = parseNumber(m_rowCountBox->text());
    if (!n)
        return;
    const int rows = m_table.rowCount();
    const RowRange range = index == FirstRows ? firstRows(rows, *n) : lastRows(rows, *n);
    m_table.setAllSelected(false);
    if (!range.isEmpty())
        m_table.setRangeSelected(range.first, range.last, true);
    m_selection->push();
    if (!range.isEmpty())
        m_list->scrollTo(m_model->index(index == FirstRows ? range.first : range.last, 1));
    ShowSelectionCount();
}

QString FormMain::selectionCountText() const
{
    return Format::selectionCount(m_table.selectedCount(), m_table.rowCount());
}

void FormMain::ShowSelectionCount()
{
    m_status->setPanelText(1, selectionCountText());
    const int invalid = m_table.invalidRowCount();
    m_status->setPanelText(2, invalid > 0 ? u"抽選結果として読めない行：%1（解析には使いません）"_s.arg(invalid) : QString());
}

void FormMain::ListView1_ColumnClick(int column)
{
    if (column < 0 || column >= m_table.columnCount())
        return;
    const Qt::SortOrder order = m_sortOrder.next();
    sortKeepingWidths(m_list, column, order, [&] { rebuildView([&] { m_table.sortByColumn(column, order); }); });
    m_selection->push();
}

bool FormMain::loadFile(const QString &path)
{
    DrawTable fresh;
    const DrawFile::Result result = DrawFile::read(path, fresh);
    if (!result.ok()) {
        Messages::warn(this, DrawFile::refusedMessage(), DrawFile::refusedDetail(path, result.reason));
        return false;
    }
    // The load replaces every tool window: unsaved work in one of them is asked about first.
    if (!m_tools.mayDiscardAll())
        return false;
    rebuildView([&] { m_table = std::move(fresh); });
    m_loadedFile = QFileInfo(path).absoluteFilePath();
    m_csvAction->setEnabled(true);
    m_saveDrawsAction->setEnabled(true);
    m_runMode = result.runMode;
    m_maxNo = GameRules::of(result.runMode).maxNo();
    m_list->header()->setSortIndicatorShown(false);
    m_hint->hide();
    autoSizeColumns();
    Command1_Click(SelectAll);
    // A new file shows its first rows, whatever the old one was scrolled to.
    m_list->scrollToTop();
    m_list->horizontalScrollBar()->setValue(0);
    m_menuAnalysis->setEnabled(true);
    recreateTools();
    return true;
}

void FormMain::menuDataLoad_Click()
{
    const QString path = FileDialogs::getOpenFileName(
        this, u"*Download.csv|*Download.csv|*.csv|*.csv|*.*|*.*"_s, UserData::folder());
    if (path.isEmpty())
        return;
    loadFile(path);
}

void FormMain::menuDataSaveSelected_Click()
{
    QList<int> rows;
    for (int r = 0; r < m_table.rowCount(); ++r) {
        if (m_table.isSelected(r))
            rows.append(r);
    }
    if (rows.isEmpty()) {
        Messages::warn(this, u"保存する行が選ばれていません。"_s);
        return;
    }
    const QString path = FileDialogs::getSaveFileName(this, u"CSV ファイル|*.csv|*Download.csv|*Download.csv"_s, UserData::folder(),
                                                      u"選択行をデータファイルとして保存"_s);
    if (path.isEmpty())
        return;
    if (!AppFiles::writeFile(path, DrawFile::encodeRows(m_table, rows)))
        Messages::warn(this, AppFiles::writeFailedText(path));
}

void FormMain::closeEvent(QCloseEvent *event)
{
    // Closing drops every tool window (and the first window ends the program): unsaved work in
    // one of them is asked about first.
    const bool endsProgram = !m_copied && m_program.firstWindow() == this;
    bool mayClose = m_tools.mayDiscardAll();
    if (endsProgram) {
        // Every result copy goes too, and its tool windows with it.
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            // Copies held by this window's own tool windows were asked with them.
            if (auto *other = qobject_cast<FormMain *>(w); mayClose && other && other != this && !heldBy(other, this))
                mayClose = other->m_tools.mayDiscardAll();
        }
    }
    if (!mayClose) {
        event->ignore();
        return;
    }
    m_tools.closeAll();
    if (endsProgram) {
        // The first main window ends the program, whatever else is open.
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            if (w != this && w->isVisible())
                w->close();
        }
        event->accept();
        QCoreApplication::quit();
        return;
    }
    event->accept();
}

void FormMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_copied && event->mimeData()->hasUrls()) {
        for (const QUrl &url : event->mimeData()->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
}

void FormMain::dropEvent(QDropEvent *event)
{
    if (m_copied)
        return;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            loadFile(url.toLocalFile());
            return;
        }
    }
}

bool FormMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease)
        ShowSelectionCount();
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        m_hint->setGeometry(m_list->viewport()->rect().adjusted(24, 24, -24, -24));
    return QMainWindow::eventFilter(watched, event);
}
