#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

// The help viewer: the contents and the index of terms beside the page, back and forward, and a
// find bar for the page shown. One per program; closing hides it.
class FormHelp : public QWidget
{
    Q_OBJECT
public:
    explicit FormHelp(QWidget *parent = nullptr);

    // Shows a page of the help folder ("trend.html", "trend.html#chart"); empty = the contents.
    void showPage(const QString &page);
    // The page shown, relative to the help folder, with its #fragment if one was followed.
    QString currentPage() const;

    // Selects the next (or previous) match in the page, wrapping around once; false when the
    // page does not hold the text.
    bool findText(const QString &text, bool backward = false);

    void cmdBack_Click();
    void cmdForward_Click();

    QTextBrowser *browser() const { return m_page; }
    QTreeWidget *contentsTree() const { return m_contents; }
    QListWidget *indexList() const { return m_index; }

private:
    QLayout *buildHistoryBar();
    QWidget *buildPanes();
    QWidget *buildIndexPage();
    QLayout *buildFindBar();
    void addShortcuts();
    // Fills the contents tree and the index from the help's own pages.
    void buildNavigation();
    void followLink(const QUrl &url);
    void pageChanged(const QUrl &url);
    void syncContents(const QString &page);
    void filterIndex(const QString &text);
    void findFromBar(bool backward);

    QPushButton *m_back = nullptr;
    QPushButton *m_forward = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QLineEdit *m_indexFilter = nullptr;
    QListWidget *m_index = nullptr;
    QTextBrowser *m_page = nullptr;
    QLineEdit *m_find = nullptr;
    QLabel *m_findResult = nullptr;
};
