#include "lookups/formoldhit.h"

#include "core/controlarray.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/gamerules.h"
#include "core/messages.h"
#include "core/widgets.h"
#include "lookups/oldhit.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {
constexpr int kMargin = 8;
constexpr int kBoxWidth = 36;
constexpr int kRowHeight = 24;
} // namespace

FormOldHit::FormOldHit(const ToolContext &context, QWidget *parent)
    : QWidget(parent ? parent : &context.mainWindow(), Qt::Window), m_context(context), m_result(this, context)
{
    setObjectName(u"FormOldHit"_s);
    setWindowTitle(u"過去の抽選結果と照合"_s);

    int x = kMargin;
    for (int i = 0; i < OldHit::kBoxCount; ++i) {
        auto *box = new NumericLineEdit(this);
        setControlIndex(box, u"Text1"_s, i);
        box->setAlignment(Qt::AlignRight);
        box->setGeometry(x, kMargin, kBoxWidth, kRowHeight);
        connect(box, &QLineEdit::returnPressed, this, &FormOldHit::Command1_Click);
        m_boxes.append(box);
        x += kBoxWidth + 4;
    }
    // A sixth number only for the game that draws six.
    m_boxes[5]->setVisible(context.runMode() != Game::MiniLoto);
    m_command = new QPushButton(u"照合"_s, this);
    m_command->setObjectName(u"Command1"_s);
    m_command->setGeometry(x + 4, kMargin - 1, 64, kRowHeight + 2);
    connect(m_command, &QPushButton::clicked, this, &FormOldHit::Command1_Click);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(u"ListView1"_s);
    setupReportList(m_list);
    const QStringList headers = OldHit::listHeaders();
    const QString keys[] = {QString(), u"Kai"_s, u"Tou"_s, u"Money"_s};
    auto *header = new QTreeWidgetItem(headers);
    for (int c = 0; c < headers.size(); ++c) {
        header->setData(c, Qt::UserRole, keys[c]);
        header->setTextAlignment(c, c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    }
    m_list->setHeaderItem(header);
    m_list->setColumnWidth(0, 0);
    for (int c = 1; c < headers.size(); ++c)
        m_list->setColumnWidth(c, twipsToPixels(600));
    enableColumnClickSort(m_list);
    m_list->setGeometry(kMargin, kMargin + kRowHeight + kMargin, 240, 300);

    m_label = new QLabel(this);
    m_label->setObjectName(u"Label1"_s);

    resize(340, 420);
    layoutControls();
}

NumericLineEdit *FormOldHit::Text1(int index) const
{
    return m_boxes.value(index);
}

void FormOldHit::Command1_Click()
{
    if (GameRules::of(m_context.runMode()).isGame())
        checkHit(m_context.runMode());
}

void FormOldHit::CheckHit6()
{
    checkHit(Game::Loto6);
}

void FormOldHit::CheckHit5()
{
    checkHit(Game::MiniLoto);
}

void FormOldHit::checkHit(int runMode)
{
    const DrawTable &source = m_context.mainWindow().table();
    if (source.rowCount() == 0)
        return;

    QStringList boxes;
    for (const NumericLineEdit *box : std::as_const(m_boxes))
        boxes.append(box->text());
    if (OldHit::hasDuplicate(boxes, runMode)) {
        Messages::warn(this, OldHit::duplicateMessage());
        return;
    }

    m_label->clear();
    m_list->clear();
    const OldHit::Result result = OldHit::check(source, runMode, boxes);
    QList<QTreeWidgetItem *> items;
    items.reserve(result.hits.size());
    for (const OldHit::Hit &hit : result.hits) {
        auto *item = new QTreeWidgetItem(hit.cells);
        for (int c = 1; c < hit.cells.size(); ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    resortByClickedColumn(m_list);
    LvwAutoSize(m_list, true, 0);
    m_label->setText(result.summary);

    m_result.show(OldHit::copyCaption(boxes), runMode, source, result.rows());
}

void FormOldHit::closeEvent(QCloseEvent *event)
{
    // Only hidden: the entries and results stay for the next showing.
    m_result.close();
    hide();
    event->ignore();
}

void FormOldHit::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void FormOldHit::layoutControls()
{
    const int height = this->height() - m_list->y() - twipsToPixels(525);
    const int width = this->width() - m_list->x() - twipsToPixels(240);
    // A window too small for the list keeps the last layout that fitted.
    if (height <= 0 || width <= 0)
        return;
    m_list->resize(width, height);
    const int labelWidth = width - twipsToPixels(30);
    if (labelWidth > 0)
        m_label->setGeometry(m_list->x(), m_list->y() + height + 6, labelWidth, 20);
}
