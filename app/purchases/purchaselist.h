#pragma once

#include "core/sorttoggle.h"
#include "purchases/purchasecheck.h"
#include "purchases/purchasefile.h"
#include "purchases/purchaseinput.h"
#include "purchases/purchaserows.h"

#include <QList>
#include <QString>
#include <QStringList>

class DrawTable;

// Everything the purchase-history window holds, without the window: the purchase list, the
// number-set list that filters it, the filtered list, the file it came from, editing, sorting
// and the status texts. Every entry is checked against the draw table given at construction
// (the first main window's), whose game is the list's game; the table must outlive the list.
class PurchaseList
{
public:
    explicit PurchaseList(const DrawTable &table);

    int runMode() const { return m_runMode; }
    const QList<ColumnLayout> &columns() const;
    QStringList headers() const;

    // The file. A refused or unreadable file, or a failed write, changes nothing here (the
    // entries, the file name and the modified flag stay).
    const QString &fileName() const { return m_fileName; }
    bool hasFileName() const { return !m_fileName.isEmpty(); }
    QString caption() const;
    // Entries added, changed or deleted since the last load or save.
    bool isModified() const { return m_modified; }
    // Reads the file; after a read that went through, the result's message (and detail) is the
    // warning about the invalid lines read, empty when there were none.
    PurchaseFile::Result load(const QString &path);
    // Writes the entries in their display order and makes the path the current file.
    PurchaseFile::Result save(const QString &path);
    // Whether another writer changed the current file since it was loaded or saved here.
    bool fileChangedOnDisk() const;
    // An empty list with no file, as a new window has.
    void clear();

    // The purchase list, and the filtered list shown over it while number sets are chosen.
    const PurchaseRows &purchases() const { return m_purchases; }
    const PurchaseRows &filtered() const { return m_filtered; }
    bool filterShown() const { return m_filterShown; }
    const PurchaseRows &visible() const { return m_filterShown ? m_filtered : m_purchases; }
    void setVisibleSelected(int row, bool selected);
    // "Select All" / "Select Clear" of the visible list.
    void selectAllVisible(bool selected);
    // After a click on a row of the visible list (its selection already set): in the filtered
    // list, the purchase list's selection becomes the entries behind the selected filtered rows,
    // each the first not yet taken whose cells all equal it. Returns the panel's texts for the
    // clicked entry.
    PurchaseInput::Panel entryClicked(int row);

    // The number-set list: "全表示" first, then the set of each valid entry once, in order of
    // its first entry.
    const QStringList &numberSets() const { return m_sets; }
    bool isNumberSetSelected(int index) const { return m_setSelected.value(index); }
    void setNumberSetSelected(int index, bool selected);
    // The choice after a click left the items chosen as given: choosing a set turns "全表示"
    // off, choosing "全表示" turns every set off, and nothing chosen is "全表示".
    void chooseNumberSets(const QList<bool> &chosen);
    // Shows the entries of the chosen sets in the filtered list (copies, unselected), or the
    // whole purchase list when "全表示" or nothing is chosen.
    void applyFilter();
    // The sets a send to the past-result check takes: all of them with "全表示" chosen; never
    // "全表示" itself.
    QStringList numberSetsToSend() const;
    // The numbers of a set's text, as they go into the check's boxes.
    static QStringList numbersOfSet(QStringView setText);

    // Editing: the warning to show, or an empty text when done. Each edit ends with every
    // entry checked again and the number-set list back at "全表示". A change keeps the entry's
    // draw and comment; an invalid entry whose draw number does not read takes the panel's.
    QString add(const PurchaseInput::Boxes &boxes);
    QString change(const PurchaseInput::Boxes &boxes);
    // Deletes the selected entries of the purchase list (behind the filter too).
    int removeSelected();
    // The draw number the edit panel offers: one past the highest entry's, 1 for none.
    qint64 nextDrawNumber() const;
    // The date the panel shows for its draw-number box.
    QString panelDate(QStringView drawBox) const;

    // Sorts both lists by a column's text, the order flipping on every call.
    void sortByColumn(int column);
    Qt::SortOrder sortOrder() const { return m_sortOrder.order(); }

    // Checks every entry against the draws again and rebuilds the number-set list.
    void checkAll();

    PurchaseCheck::Totals totals() const;
    QString selectionText() const;
    QString totalsText() const;
    // Entries of invalid lines in the purchase list, and "不正 3行" for them ("" for none).
    int invalidCount() const { return m_invalidCount; }
    QString invalidText() const;

private:
    void finishEdit();

    const DrawTable *m_table = nullptr;
    int m_runMode = 0;
    QString m_fileName;
    PurchaseFile::Stamp m_stamp;
    bool m_modified = false;
    int m_invalidCount = 0;
    PurchaseRows m_purchases;
    PurchaseRows m_filtered;
    bool m_filterShown = false;
    QStringList m_sets;
    QList<bool> m_setSelected;
    SortToggle m_sortOrder;
};
