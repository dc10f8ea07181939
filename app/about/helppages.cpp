#include "about/helppages.h"

#include "core/appfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace HelpPages {

namespace {
struct WindowPage
{
    QLatin1String window;   // class name or object name
    QLatin1String page;
};

// Every window with a help page of its own.
constexpr WindowPage kWindowPages[] = {
    {QLatin1String("FormMain"), QLatin1String("main.html")},
    {QLatin1String("FormGraph"), QLatin1String("graph.html")},
    {QLatin1String("FormGraph2"), QLatin1String("trend.html")},
    {QLatin1String("FormGraph3"), QLatin1String("trend.html#chart")},
    {QLatin1String("FormSearch"), QLatin1String("search.html")},
    {QLatin1String("FormOldHit"), QLatin1String("oldhit.html")},
    {QLatin1String("FormWay"), QLatin1String("tally.html")},
    {QLatin1String("FormCombList"), QLatin1String("comblist.html")},
    {QLatin1String("FormPattern"), QLatin1String("pattern.html")},
    {QLatin1String("FormBuyHistory"), QLatin1String("purchases.html")},
    {QLatin1String("FormVersion"), QLatin1String("about.html")},
};

QString pageOfName(const QString &name)
{
    for (const WindowPage &entry : kWindowPages) {
        if (name == entry.window)
            return entry.page;
    }
    return {};
}

// The online addresses, kept here only. The project has no web site yet: an empty web address
// stands for the bundled page beside it, so the entries work offline.
struct OnlineAddress
{
    QLatin1String web;
    QLatin1String bundledPage;
};
constexpr OnlineAddress kOnlineHelp{QLatin1String(""), kContents};
constexpr OnlineAddress kOnlineFaq{QLatin1String(""), kFaq};
} // namespace

QString folder()
{
    return AppFiles::bundledDir(u"help"_s);
}

QString pageForWindow(const QWidget *window)
{
    for (const QWidget *w = window; w; w = w->parentWidget()) {
        QString page = pageOfName(QString::fromLatin1(w->metaObject()->className()));
        if (page.isEmpty())
            page = pageOfName(w->objectName());
        if (!page.isEmpty())
            return page;
    }
    return {};
}

QUrl pageUrl(const QString &page)
{
    const QString dir = folder();
    if (dir.isEmpty())
        return {};
    const qsizetype hash = page.indexOf(u'#');
    QUrl url = QUrl::fromLocalFile(QDir(dir).filePath(hash < 0 ? page : page.left(hash)));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url;
}

QString pageOf(const QUrl &url)
{
    const QString dir = folder();
    if (dir.isEmpty() || !url.isLocalFile())
        return {};
    const QString relative = QDir(dir).relativeFilePath(QFileInfo(url.toLocalFile()).absoluteFilePath());
    if (relative.startsWith(u".."_s))
        return {};
    return url.hasFragment() ? relative + u'#' + url.fragment() : relative;
}

namespace {
QUrl resolve(const OnlineAddress &address)
{
    if (address.web.isEmpty())
        return pageUrl(address.bundledPage);
    return QUrl(QString(address.web));
}
} // namespace

QUrl onlineHelpUrl()
{
    return resolve(kOnlineHelp);
}

QUrl onlineFaqUrl()
{
    return resolve(kOnlineFaq);
}

} // namespace HelpPages
