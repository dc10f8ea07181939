#include "about/helppages.h"

#include "core/appfiles.h"
#include "core/userdata.h"

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
    {QLatin1String("FormUpdate"), QLatin1String("update.html")},
    {QLatin1String("FormBackTest"), QLatin1String("backtest.html")},
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

QString bundledFolder()
{
    return AppFiles::bundledDir(u"help"_s);
}

QString folder()
{
    // Pages the online update brought win while they are newer than the shipped ones (a program
    // installed later ships newer pages of its own).
    const QString bundled = bundledFolder();
    const QString updated = UserData::helpFolder(UserData::folder());
    if (UserData::isNewerVersion(UserData::helpVersion(updated), UserData::helpVersion(bundled))
        && QFileInfo(QDir(updated).filePath(kContents)).isFile())
        return updated;
    return bundled;
}

QString pageFile(const QString &page)
{
    const QString dir = folder();
    if (dir.isEmpty())
        return {};
    const QString path = QDir(dir).filePath(page);
    // A page the update did not bring is read from the shipped pages.
    if (!QFileInfo(path).isFile() && !bundledFolder().isEmpty())
        return QDir(bundledFolder()).filePath(page);
    return path;
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
    QUrl url = QUrl::fromLocalFile(pageFile(hash < 0 ? page : page.left(hash)));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url;
}

QString pageOf(const QUrl &url)
{
    if (!url.isLocalFile())
        return {};
    for (const QString &dir : {folder(), bundledFolder()}) {
        if (dir.isEmpty())
            continue;
        const QString relative = QDir(dir).relativeFilePath(QFileInfo(url.toLocalFile()).absoluteFilePath());
        if (!relative.startsWith(u".."_s))
            return url.hasFragment() ? relative + u'#' + url.fragment() : relative;
    }
    return {};
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
