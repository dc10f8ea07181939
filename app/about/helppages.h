#pragma once

#include <QLatin1String>
#include <QString>
#include <QUrl>

class QWidget;

// The help pages shipped with the program, which page belongs to which window, and the online
// addresses of the help and the FAQ.
namespace HelpPages {

inline constexpr QLatin1String kContents{"contents.html"};
inline constexpr QLatin1String kTerms{"terms.html"};
inline constexpr QLatin1String kFaq{"faq.html"};

// The folder of the pages: the newer pages an online update stored in the user's data folder,
// else the shipped ones; empty when the program was installed without them.
QString folder();
QString bundledFolder();
// The file of a page of folder(); a page missing there is taken from the shipped pages.
QString pageFile(const QString &page);
// The page of a window, found by class name or object name, looking up through its owners (a
// dialog of a tool window gets the tool window's page). Empty when none has a page.
QString pageForWindow(const QWidget *window);
// The address of a page, which may carry a #fragment ("trend.html#chart"); empty without pages.
QUrl pageUrl(const QString &page);
// The page an address stands for, relative to the folder ("trend.html#chart"); empty outside it.
QString pageOf(const QUrl &url);

// Online help and FAQ. The project has no web site yet: they are the bundled pages, opened in the
// browser, so the entries work offline too.
QUrl onlineHelpUrl();
QUrl onlineFaqUrl();

} // namespace HelpPages
