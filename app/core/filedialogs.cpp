#include "core/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace FileDialogs {

namespace {
Responder &responder()
{
    static Responder r;
    return r;
}

// The folder of the last file chosen in this run; no setting outlives the run.
QString &lastFolder()
{
    static QString folder;
    return folder;
}

// Where a dialog starts: the folder used last, keeping a file name the caller suggests.
QString startingPoint(const QString &directory)
{
    if (lastFolder().isEmpty())
        return directory;
    const QFileInfo given(directory);
    if (directory.isEmpty() || given.isDir())
        return lastFolder();
    return QDir(lastFolder()).filePath(given.fileName());
}

// ".csv" for a filter whose first pattern is "*.csv": what a name typed without an extension
// gets, so the file opens in the programs its kind belongs to. A pattern with more to its name
// ("*購入履歴.csv") is left to its window, which completes the name its own way.
QString defaultSuffix(const QString &pipeFilter)
{
    const QString pattern = pipeFilter.section(u'|', 1, 1).section(u';', 0, 0).trimmed();
    const QString suffix = pattern.mid(2);
    if (!pattern.startsWith(u"*.") || suffix.isEmpty() || suffix.contains(u'*') || suffix.contains(u'.'))
        return {};
    return u'.' + suffix;
}

QString ask(Kind kind, QWidget *parent, const QString &pipeFilter, const QString &directory,
            const QString &caption)
{
    const Request request{kind, parent, caption, startingPoint(directory), qtFilter(pipeFilter)};
    QString chosen;
    if (responder())
        chosen = responder()(request);
    else
        chosen = kind == Kind::Open
                     ? QFileDialog::getOpenFileName(parent, caption, request.directory, request.filter)
                     : QFileDialog::getSaveFileName(parent, caption, request.directory, request.filter);
    if (!chosen.isEmpty())
        lastFolder() = QFileInfo(chosen).absolutePath();
    if (kind == Kind::Save && !chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += defaultSuffix(pipeFilter);
    return chosen;
}
} // namespace

void setResponder(Responder r)
{
    responder() = std::move(r);
}

QString qtFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString &p : patterns) {
            p = p.trimmed();
            if (p == u"*.*")
                p = u"*"_s;
        }
        entries.append(parts[i] + u" ("_s + patterns.join(u' ') + u')');
    }
    return entries.join(u";;"_s);
}

QString getOpenFileName(QWidget *parent, const QString &pipeFilter, const QString &directory,
                        const QString &caption)
{
    return ask(Kind::Open, parent, pipeFilter, directory, caption);
}

QString getSaveFileName(QWidget *parent, const QString &pipeFilter, const QString &directory,
                        const QString &caption)
{
    return ask(Kind::Save, parent, pipeFilter, directory, caption);
}

} // namespace FileDialogs
