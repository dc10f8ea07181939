#include "about/formhelp.h"

#include "about/browser.h"
#include "about/helpoutline.h"
#include "about/helppages.h"
#include "core/appfiles.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int kHrefRole = Qt::UserRole;

QString readPage(const QString &page)
{
    const QString file = HelpPages::pageFile(page);
    if (file.isEmpty())
        return {};
    const AppFiles::ReadResult read = AppFiles::readFile(file);
    return read.ok() ? QString::fromUtf8(read.bytes) : QString();
}

QString withoutFragment(const QString &page)
{
    return page.section(u'#', 0, 0);
}
} // namespace

FormHelp::FormHelp(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"FormHelp"_s);
    setWindowTitle(u"Zemvara ヘルプ"_s);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buildHistoryBar());
    layout->addWidget(buildPanes(), 1);
    layout->addLayout(buildFindBar());
    addShortcuts();

    buildNavigation();
    resize(920, 660);
    showPage({});
}

QLayout *FormHelp::buildHistoryBar()
{
    auto *bar = new QHBoxLayout;
    m_back = new QPushButton(u"◀ 戻る"_s, this);
    m_back->setObjectName(u"cmdBack"_s);
    m_back->setEnabled(false);
    m_forward = new QPushButton(u"進む ▶"_s, this);
    m_forward->setObjectName(u"cmdForward"_s);
    m_forward->setEnabled(false);
    auto *home = new QPushButton(u"目次"_s, this);
    home->setObjectName(u"cmdContents"_s);
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(home);
    bar->addStretch(1);
    connect(m_back, &QPushButton::clicked, this, &FormHelp::cmdBack_Click);
    connect(m_forward, &QPushButton::clicked, this, &FormHelp::cmdForward_Click);
    connect(home, &QPushButton::clicked, this, [this] { showPage({}); });
    return bar;
}

QWidget *FormHelp::buildPanes()
{
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    m_tabs = new QTabWidget(splitter);
    m_tabs->setObjectName(u"tabNavigation"_s);
    m_contents = new QTreeWidget(m_tabs);
    m_contents->setObjectName(u"treeContents"_s);
    m_contents->setHeaderHidden(true);
    m_tabs->addTab(m_contents, u"目次"_s);
    m_tabs->addTab(buildIndexPage(), u"索引"_s);

    m_page = new QTextBrowser(splitter);
    m_page->setObjectName(u"txtPage"_s);
    // Links are followed here: pages of the help stay in the viewer, web addresses go to the browser.
    m_page->setOpenLinks(false);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 640});

    connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
    connect(m_page, &QTextBrowser::anchorClicked, this, &FormHelp::followLink);
    connect(m_page, &QTextBrowser::sourceChanged, this, &FormHelp::pageChanged);
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { showPage(item->data(0, kHrefRole).toString()); });
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { showPage(item->data(0, kHrefRole).toString()); });
    return splitter;
}

QWidget *FormHelp::buildIndexPage()
{
    auto *indexPage = new QWidget(m_tabs);
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    m_indexFilter = new QLineEdit(indexPage);
    m_indexFilter->setObjectName(u"txtIndex"_s);
    m_indexFilter->setPlaceholderText(u"探す語を入力"_s);
    m_indexFilter->setClearButtonEnabled(true);
    m_index = new QListWidget(indexPage);
    m_index->setObjectName(u"lstIndex"_s);
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(m_index, 1);

    connect(m_index, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { showPage(item->data(kHrefRole).toString()); });
    connect(m_index, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { showPage(item->data(kHrefRole).toString()); });
    connect(m_indexFilter, &QLineEdit::textChanged, this, &FormHelp::filterIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this] {
        for (int i = 0; i < m_index->count(); ++i) {
            if (!m_index->item(i)->isHidden()) {
                showPage(m_index->item(i)->data(kHrefRole).toString());
                return;
            }
        }
    });
    return indexPage;
}

QLayout *FormHelp::buildFindBar()
{
    auto *find = new QHBoxLayout;
    find->addWidget(new QLabel(u"ページ内を検索:"_s, this));
    m_find = new QLineEdit(this);
    m_find->setObjectName(u"txtFind"_s);
    m_find->setClearButtonEnabled(true);
    auto *next = new QPushButton(u"次を検索"_s, this);
    next->setObjectName(u"cmdFindNext"_s);
    auto *previous = new QPushButton(u"前を検索"_s, this);
    previous->setObjectName(u"cmdFindPrevious"_s);
    m_findResult = new QLabel(this);
    m_findResult->setObjectName(u"lblFindResult"_s);
    find->addWidget(m_find, 1);
    find->addWidget(next);
    find->addWidget(previous);
    find->addWidget(m_findResult, 1);

    connect(m_find, &QLineEdit::returnPressed, this, [this] { findFromBar(false); });
    connect(next, &QPushButton::clicked, this, [this] { findFromBar(false); });
    connect(previous, &QPushButton::clicked, this, [this] { findFromBar(true); });
    return find;
}

void FormHelp::addShortcuts()
{
    auto *findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    auto *nextKey = new QShortcut(QKeySequence::FindNext, this);
    connect(nextKey, &QShortcut::activated, this, [this] { findFromBar(false); });
    auto *previousKey = new QShortcut(QKeySequence::FindPrevious, this);
    connect(previousKey, &QShortcut::activated, this, [this] { findFromBar(true); });
    auto *backKey = new QShortcut(QKeySequence::Back, this);
    connect(backKey, &QShortcut::activated, this, &FormHelp::cmdBack_Click);
    auto *forwardKey = new QShortcut(QKeySequence::Forward, this);
    connect(forwardKey, &QShortcut::activated, this, &FormHelp::cmdForward_Click);
}

void FormHelp::buildNavigation()
{
    // The last item of each depth, so a link of a deeper list hangs under the link above it.
    QList<QTreeWidgetItem *> lastAt;
    int baseLevel = -1;
    // Links in the pages' lists make the tree and the index; links in their prose do not.
    for (const HelpOutline::Link &link : HelpOutline::readLinks(readPage(HelpPages::kContents))) {
        if (link.level < 1)
            continue;
        if (baseLevel < 0)
            baseLevel = link.level;
        const qsizetype depth = qMin<qsizetype>(qMax(0, link.level - baseLevel), lastAt.size());
        lastAt.resize(depth);
        auto *item = lastAt.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(lastAt.last());
        item->setText(0, link.text);
        item->setData(0, kHrefRole, link.href);
        lastAt.append(item);
    }
    m_contents->expandAll();

    for (const HelpOutline::Link &link : HelpOutline::readLinks(readPage(HelpPages::kTerms))) {
        if (link.level < 1)
            continue;
        auto *item = new QListWidgetItem(link.text, m_index);
        item->setData(kHrefRole, link.href);
    }
}

void FormHelp::showPage(const QString &page)
{
    const QString target = page.isEmpty() ? QString(HelpPages::kContents) : page;
    const QUrl url = HelpPages::pageUrl(target);
    if (url.isEmpty()) {
        m_page->setHtml(u"<h2>ヘルプのページが見つかりません</h2>"
                        u"<p>ヘルプのページ（help フォルダ）がプログラムと一緒に入っていません。"
                        u"プログラムを入れ直してください。</p>"_s);
        return;
    }
    if (m_page->source() == url)
        m_page->reload();
    else
        m_page->setSource(url);
}

QString FormHelp::currentPage() const
{
    return HelpPages::pageOf(m_page->source());
}

void FormHelp::cmdBack_Click()
{
    m_page->backward();
}

void FormHelp::cmdForward_Click()
{
    m_page->forward();
}

void FormHelp::followLink(const QUrl &url)
{
    const QUrl resolved = m_page->source().resolved(url);
    if (resolved.isLocalFile() && !HelpPages::pageOf(resolved).isEmpty())
        m_page->setSource(resolved);
    else
        Browser::open(this, resolved);
}

void FormHelp::pageChanged(const QUrl &url)
{
    // The browser announces the new address before source() returns it.
    const QString title = m_page->documentTitle();
    setWindowTitle(title.isEmpty() ? u"Zemvara ヘルプ"_s : u"Zemvara ヘルプ - "_s + title);
    m_findResult->clear();
    syncContents(HelpPages::pageOf(url));
}

void FormHelp::syncContents(const QString &page)
{
    // The contents follow the page shown, down to the section when the contents name it.
    QTreeWidgetItem *best = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QString href = (*it)->data(0, kHrefRole).toString();
        if (href == page) {
            best = *it;
            break;
        }
        if (!best && href == withoutFragment(page))
            best = *it;
    }
    const QSignalBlocker blocker(m_contents);
    m_contents->setCurrentItem(best);
    if (!best)
        m_contents->clearSelection();
}

void FormHelp::filterIndex(const QString &text)
{
    const QString wanted = text.trimmed();
    for (int i = 0; i < m_index->count(); ++i) {
        QListWidgetItem *item = m_index->item(i);
        item->setHidden(!wanted.isEmpty() && !item->text().contains(wanted, Qt::CaseInsensitive));
    }
}

bool FormHelp::findText(const QString &text, bool backward)
{
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_page->find(text, flags))
        return true;
    // Not found after the cursor: go round once from the other end of the page.
    const QTextCursor kept = m_page->textCursor();
    m_page->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
    if (m_page->find(text, flags))
        return true;
    m_page->setTextCursor(kept);
    return false;
}

void FormHelp::findFromBar(bool backward)
{
    const bool found = findText(m_find->text(), backward);
    m_findResult->setText(found || m_find->text().isEmpty() ? QString() : u"見つかりません"_s);
}
