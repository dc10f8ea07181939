#pragma once

#include "core/filedialogs.h"
#include "core/messages.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class FormMain;
class Program;
class QAction;
class QWidget;
class QTemporaryDir;
class QTreeWidget;

namespace testsupport {

// The program with every feature, shared by the windows a test makes (as the real program has one).
Program &program();

// Path of a bundled real results file ("LOTO6_Download.csv", "miniLOTO_Download.csv").
QString dataFile(const QString &name);
QString loto6File();
QString miniLotoFile();

// A main window at the top left of the screen, of the given size, shown (as it is whenever its
// menu is used, so its frame is known), then loaded with a results file.
std::unique_ptr<FormMain> shownMainWindow(const QString &file, QSize size);

// The action `name` of this window itself, not one of a window it holds (result copies and tool
// windows are its descendants too).
QAction *ownAction(QWidget *window, const QString &name);

// Answers every message box while alive and keeps what was asked.
class MessageRecorder
{
public:
    explicit MessageRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }
    const QList<Messages::Request> &requests() const { return m_requests; }
    QStringList texts() const;
    void clear() { m_requests.clear(); }

private:
    QMessageBox::StandardButton m_answer;
    QList<Messages::Request> m_requests;
};

// Answers every file dialog with the given path (empty = cancel) while alive.
class FileDialogAnswer
{
public:
    explicit FileDialogAnswer(const QString &path);
    ~FileDialogAnswer();
    FileDialogAnswer(const FileDialogAnswer &) = delete;
    FileDialogAnswer &operator=(const FileDialogAnswer &) = delete;

    void setPath(const QString &path) { m_path = path; }
    const QList<FileDialogs::Request> &requests() const { return m_requests; }

private:
    QString m_path;
    QList<FileDialogs::Request> m_requests;
};

// Writes a file into dir: text is encoded as the program reads it (Shift-JIS); bytes as given.
QString writeTextFile(const QTemporaryDir &dir, const QString &name, const QString &text);
QString writeBytesFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);

// One run of the built zemvara-cli.
struct CliRun
{
    int status = -1;    // exit code; -1 when it crashed or did not finish
    QString out;        // standard output as printed
    QString err;        // standard error as printed
    QStringList lines;  // output lines, without the final line end

    // Names of the "== WINDOW.CONTROL" sections in order, and the lines of one (empty if absent).
    QStringList sectionNames() const;
    QStringList section(const QString &name) const;
};
// Runs zemvara-cli; `input` goes to its standard input, which is then closed.
CliRun runCli(const QStringList &arguments, const QByteArray &input = {});

// A report list as text: per row its cells from column 1 on (column 0 is the hidden one),
// joined by tabs; the header row first when asked for.
QStringList listLines(const QTreeWidget *list, bool withHeader);

// A LOTO6 or miniLOTO draw-result file text made of the given data lines (CR LF ends).
QString loto6Text(const QStringList &dataLines);
QString miniLotoText(const QStringList &dataLines);

} // namespace testsupport
