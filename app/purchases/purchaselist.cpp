#include "purchases/purchaselist.h"

#include "core/drawtable.h"
#include "core/format.h"
#include "core/numbers.h"
#include "purchases/drawcalendar.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {
const QString &showAll()
{
    static const QString text = u"全表示"_s;
    return text;
}

// Entries with these stored cells can only differ in what the check derived.
QString storedKey(const PurchaseEntry &entry)
{
    return entry.kai + u'|' + entry.numberSetText() + u'|' + entry.buy;
}
} // namespace

PurchaseList::PurchaseList(const DrawTable &table) : m_table(&table), m_runMode(table.runMode())
{
    m_sets = {showAll()};
    m_setSelected = {true};
}

const QList<ColumnLayout> &PurchaseList::columns() const
{
    return purchaseColumns(m_runMode);
}

QStringList PurchaseList::headers() const
{
    QStringList out;
    for (const ColumnLayout &c : columns())
        out.append(c.header);
    return out;
}

QString PurchaseList::caption() const
{
    if (m_fileName.isEmpty())
        return u"購入履歴"_s;
    return u"購入履歴 "_s + QFileInfo(m_fileName).fileName().left(255);
}

PurchaseFile::Result PurchaseList::load(const QString &path)
{
    PurchaseFile::ReadResult read = PurchaseFile::read(path, m_runMode);
    if (!read.ok())
        return read;
    m_purchases.assign(std::move(read.entries));
    checkAll();
    m_purchases.sortByColumn(PurchaseColumn::Kai, Qt::AscendingOrder);
    m_sortOrder.set(Qt::AscendingOrder);
    m_purchases.setAllSelected(true);
    m_fileName = path;
    m_stamp = read.stamp;
    m_modified = false;
    return read;
}

PurchaseFile::Result PurchaseList::save(const QString &path)
{
    const PurchaseFile::WriteResult result = PurchaseFile::write(path, m_purchases.entries(), m_runMode);
    if (result.ok()) {
        m_fileName = path;
        m_stamp = result.stamp;
        m_modified = false;
    }
    return result;
}

bool PurchaseList::fileChangedOnDisk() const
{
    return hasFileName() && PurchaseFile::changedSince(m_fileName, m_stamp);
}

void PurchaseList::clear()
{
    m_purchases.clear();
    m_fileName.clear();
    m_stamp = {};
    m_modified = false;
    checkAll();
}

void PurchaseList::setVisibleSelected(int row, bool selected)
{
    (m_filterShown ? m_filtered : m_purchases).setSelected(row, selected);
}

void PurchaseList::selectAllVisible(bool selected)
{
    (m_filterShown ? m_filtered : m_purchases).setAllSelected(selected);
}

PurchaseInput::Panel PurchaseList::entryClicked(int row)
{
    if (m_filterShown) {
        m_purchases.setAllSelected(false);
        const std::vector<int> picked = m_filtered.selectedRows();
        if (!picked.empty()) {
            QHash<QString, std::vector<int>> byKey;
            for (int r = 0; r < m_purchases.count(); ++r)
                byKey[storedKey(m_purchases.at(r))].push_back(r);
            for (const int f : picked) {
                const PurchaseEntry &copy = m_filtered.at(f);
                for (const int r : byKey.value(storedKey(copy))) {
                    if (!m_purchases.isSelected(r) && m_purchases.at(r).sameCells(copy)) {
                        m_purchases.setSelected(r, true);
                        break;
                    }
                }
            }
        }
    }
    if (row < 0 || row >= visible().count())
        return {};
    return PurchaseInput::panelFor(visible().at(row));
}

void PurchaseList::setNumberSetSelected(int index, bool selected)
{
    if (index >= 0 && index < m_setSelected.size())
        m_setSelected[index] = selected;
}

void PurchaseList::chooseNumberSets(const QList<bool> &chosen)
{
    const bool showAllChosen = chosen.value(0) && !m_setSelected.value(0);
    bool anySet = false;
    for (qsizetype i = 1; i < m_setSelected.size(); ++i) {
        m_setSelected[i] = !showAllChosen && chosen.value(i);
        anySet = anySet || m_setSelected[i];
    }
    m_setSelected[0] = !anySet;
}

void PurchaseList::applyFilter()
{
    if (!m_setSelected.contains(true))
        m_setSelected[0] = true;
    if (m_setSelected[0]) {
        m_filterShown = false;
        m_filtered.clear();
        return;
    }
    QSet<QString> chosen;
    for (qsizetype i = 1; i < m_sets.size(); ++i) {
        if (m_setSelected[i])
            chosen.insert(m_sets[i]);
    }
    m_filtered.clear();
    for (const PurchaseEntry &entry : m_purchases.entries()) {
        if (chosen.contains(entry.numberSetText()))
            m_filtered.append(entry);
    }
    m_filtered.setWidths(m_purchases.widths());
    m_filterShown = true;
}

QStringList PurchaseList::numberSetsToSend() const
{
    if (m_setSelected.value(0))
        return m_sets.mid(1);
    QStringList out;
    for (qsizetype i = 1; i < m_sets.size(); ++i) {
        if (m_setSelected[i])
            out.append(m_sets[i]);
    }
    return out;
}

QStringList PurchaseList::numbersOfSet(QStringView setText)
{
    QStringList out;
    for (QStringView part : setText.tokenize(u' ', Qt::SkipEmptyParts))
        out.append(part.toString());
    return out;
}

QString PurchaseList::add(const PurchaseInput::Boxes &boxes)
{
    const PurchaseInput::Checked input = PurchaseInput::check(boxes, m_runMode);
    if (!input.ok())
        return input.message;
    const PurchaseInput::Values &v = input.values;
    m_purchases.reserve(m_purchases.count() + int(v.count));
    for (qint64 i = 0; i < v.count; ++i)
        m_purchases.append(makePurchaseEntry(v.drawNo + i, v.numbers, v.tickets));
    m_modified = true;
    finishEdit();
    return {};
}

QString PurchaseList::change(const PurchaseInput::Boxes &boxes)
{
    const PurchaseInput::Checked input = PurchaseInput::check(boxes, m_runMode);
    if (!input.ok())
        return input.message;
    if (m_purchases.selectedCount() != 1)
        return u"変更する行を１行選択して下さい。"_s;
    const int row = m_purchases.selectedRows().front();
    PurchaseEntry &entry = m_purchases.at(row);
    // The draw stays: the draw-number and continuation boxes were only validated. An invalid
    // line's draw number that does not read is replaced, or the entry could never be mended.
    PurchaseEntry changed = makePurchaseEntry(entry.drawNo.value_or(input.values.drawNo), input.values.numbers,
                                              input.values.tickets);
    changed.comment = std::move(entry.comment);
    entry = std::move(changed);
    m_modified = true;
    finishEdit();
    return {};
}

int PurchaseList::removeSelected()
{
    const int removed = m_purchases.removeSelected();
    if (removed > 0)
        m_modified = true;
    finishEdit();
    return removed;
}

qint64 PurchaseList::nextDrawNumber() const
{
    qint64 highest = 0;
    for (const PurchaseEntry &entry : m_purchases.entries()) {
        if (entry.drawNo && *entry.drawNo > highest)
            highest = *entry.drawNo;
    }
    return highest + 1;
}

QString PurchaseList::panelDate(QStringView drawBox) const
{
    const std::optional<qint64> drawNo = parseNumber(drawBox);
    if (!drawNo)
        return {};
    return DrawCalendar(m_runMode, m_table).dateText(*drawNo);
}

void PurchaseList::sortByColumn(int column)
{
    if (column < 0 || column >= columns().size())
        return;
    const Qt::SortOrder order = m_sortOrder.next();
    m_purchases.sortByColumn(column, order);
    m_filtered.sortByColumn(column, order);
}

void PurchaseList::checkAll()
{
    const DrawCalendar calendar(m_runMode, m_table);
    m_sets = {showAll()};
    m_invalidCount = 0;
    // A set is told by its numbers in entry order (below 64 each); its text is made once.
    QSet<quint64> seen;
    for (int r = 0; r < m_purchases.count(); ++r) {
        PurchaseEntry &entry = m_purchases.at(r);
        PurchaseCheck::check(entry, *m_table, calendar);
        // Only real number sets: an invalid line's cells may be anything, or nothing.
        if (!entry.isValid()) {
            ++m_invalidCount;
            continue;
        }
        quint64 key = 0;
        for (int i = 0; i < entry.picks(); ++i)
            key = key << 6 | quint64(entry.values[size_t(i)]);
        if (!seen.contains(key)) {
            seen.insert(key);
            m_sets.append(entry.numberSetText());
        }
    }
    m_purchases.fitWidths(columns());
    m_setSelected = QList<bool>(m_sets.size(), false);
    m_setSelected[0] = true;
    applyFilter();
}

void PurchaseList::finishEdit()
{
    checkAll();
}

PurchaseCheck::Totals PurchaseList::totals() const
{
    PurchaseCheck::Totals totals;
    const PurchaseRows &rows = visible();
    for (int r = 0; r < rows.count(); ++r) {
        if (rows.isSelected(r))
            totals.add(rows.at(r));
    }
    return totals;
}

QString PurchaseList::selectionText() const
{
    return Format::selectionCount(visible().selectedCount(), visible().count());
}

QString PurchaseList::totalsText() const
{
    return PurchaseCheck::totalsText(totals());
}

QString PurchaseList::invalidText() const
{
    return m_invalidCount > 0 ? u"不正 %1行"_s.arg(m_invalidCount) : QString();
}
