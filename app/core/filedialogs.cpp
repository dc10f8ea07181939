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
