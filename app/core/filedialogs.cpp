#include "core/filedialogs.h"

#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace FileDialogs {

namespace {
Responder &responder()
{
    static Responder r;
    return r;
}

QString ask(Kind kind, QWidget *parent, const QString &pipeFilter, const QString &directory,
            const QString &caption)
{
    const Request request{kind, parent, caption, directory, qtFilter(pipeFilter)};
    if (responder())
        return responder()(request);
    return kind == Kind::Open
               ? QFileDialog::getOpenFileName(parent, caption, directory, request.filter)
               : QFileDialog::getSaveFileName(parent, caption, directory, request.filter);
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
