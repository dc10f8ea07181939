#include "support/testsupport.h"

#include "allfeatures.h"
#include "core/formmain.h"
#include "core/program.h"

#include "core/drawfile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace testsupport {

Program &program()
{
    static Program instance(allFeatures());
    return instance;
}

QString dataFile(const QString &name)
{
    return QDir(QStringLiteral(ZEMVARA_DATA_DIR)).filePath(name);
}

QString loto6File()
{
    return dataFile(u"LOTO6_Download.csv"_s);
}

QString miniLotoFile()
{
    return dataFile(u"miniLOTO_Download.csv"_s);
}

std::unique_ptr<FormMain> shownMainWindow(const QString &file, QSize size)
{
    auto main = std::make_unique<FormMain>(program());
    main->move(0, 0);
    main->resize(size);
    main->show();
    main->loadFile(file);
    return main;
}

QAction *ownAction(QWidget *window, const QString &name)
{
    for (QAction *action : window->findChildren<QAction *>(name)) {
        QObject *o = action->parent();
        // The first window above the action, menus aside, is the one it belongs to.
        while (o && !(o->isWidgetType() && static_cast<QWidget *>(o)->isWindow() && !qobject_cast<QMenu *>(o)))
            o = o->parent();
        if (o == window)
            return action;
    }
    return nullptr;
}

MessageRecorder::MessageRecorder(QMessageBox::StandardButton answer) : m_answer(answer)
{
    Messages::setResponder([this](const Messages::Request &request) {
        m_requests.append(request);
        return m_answer;
    });
}

MessageRecorder::~MessageRecorder()
{
    Messages::setResponder({});
}

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const Messages::Request &r : m_requests)
        out.append(r.text);
    return out;
}

FileDialogAnswer::FileDialogAnswer(const QString &path) : m_path(path)
{
    FileDialogs::setResponder([this](const FileDialogs::Request &request) {
        m_requests.append(request);
        return m_path;
    });
}

FileDialogAnswer::~FileDialogAnswer()
{
    FileDialogs::setResponder({});
}

QString writeBytesFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(bytes);
    return path;
}

QString writeTextFile(const QTemporaryDir &dir, const QString &name, const QString &text)
{
    return writeBytesFile(dir, name, DrawFile::encode(text));
}

CliRun runCli(const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(QStringLiteral(ZEMVARA_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(120000);
    CliRun run;
    run.status = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    QString text = run.out;
    if (text.endsWith(u'\n'))
        text.chop(1);
    run.lines = text.isEmpty() ? QStringList() : text.split(u'\n');
    return run;
}

QStringList CliRun::sectionNames() const
{
    QStringList names;
    for (const QString &line : lines) {
        if (line.startsWith(u"== "))
            names.append(line.mid(3));
    }
    return names;
}

QStringList CliRun::section(const QString &name) const
{
    const qsizetype start = lines.indexOf(u"== "_s + name);
    if (start < 0)
        return {};
    QStringList body;
    for (qsizetype i = start + 1; i < lines.size() && !lines[i].startsWith(u"== "); ++i)
        body.append(lines[i]);
    return body;
}

namespace {
QString drawFileText(const QString &title, const QString &heading, const QStringList &dataLines)
{
    QString text = title + u"\r\n"_s + heading + u"\r\n"_s;
    for (const QString &line : dataLines)
        text += line + u"\r\n"_s;
    return text;
}
} // namespace

QStringList listLines(const QTreeWidget *list, bool withHeader)
{
    QStringList out;
    for (int r = withHeader ? -1 : 0; r < list->topLevelItemCount(); ++r) {
        const QTreeWidgetItem *item = r < 0 ? list->headerItem() : list->topLevelItem(r);
        QStringList cells;
        for (int c = 1; c < list->columnCount(); ++c)
            cells.append(item->text(c));
        out.append(cells.join(u'\t'));
    }
    return out;
}

QString loto6Text(const QStringList &dataLines)
{
    return drawFileText(u"LOTO6 DownloadData"_s,
                        u"回,抽選日,本数字1,本数字2,本数字3,本数字4,本数字5,本数字6,ボーナス数字,"
                        u"1等口数,2等口数,3等口数,4等口数,5等口数,1等賞金,2等賞金,3等賞金,4等賞金,5等賞金,"
                        u"キャリーオーバー"_s,
                        dataLines);
}

QString miniLotoText(const QStringList &dataLines)
{
    return drawFileText(u"miniLOTO DownloadData"_s,
                        u"回,抽選日,本数字1,本数字2,本数字3,本数字4,本数字5,ボーナス数字,"
                        u"1等口数,2等口数,3等口数,4等口数,1等賞金,2等賞金,3等賞金,4等賞金"_s,
                        dataLines);
}

} // namespace testsupport
