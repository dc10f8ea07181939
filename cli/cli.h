#pragma once

#include "combinations/patternfile.h"

#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class DrawTable;
class GridSource;
class RowSource;

namespace cli {

// Wrong usage: the message becomes the usage line on standard error, exit status 2.
struct UsageError
{
    QString message;
};

// A refused action: the text the window would show in its message box, exit status 1.
struct Refused
{
    QString message;
};

// Sections of output as the windows would show them (UTF-8, LF line ends), lists and grids as
// tab-separated rows written through the program's table writer.
class Output : public QIODevice
{
public:
    Output();
    void section(const QString &window, const QString &control);
    void line(const QString &text);
    // A list: header texts from column 1 on, then every row from column 1 on.
    void list(const QStringList &headers, const RowSource &rows, int columnCount);
    void list(const QStringList &headers, const QList<QStringList> &rows);
    // A grid: every row, row 0 and column 0 included; a marked cell without text prints "*".
    void grid(const GridSource &grid, const std::function<bool(int row, int column)> &marked);
    // Writes what is buffered; false once any write to standard output has failed (what
    // follows a failure is dropped).
    bool flush();
    int error() const { return m_error; }  // errno of the failed write

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QByteArray m_buffer;
    bool m_failed = false;
    int m_error = 0;
};

// Positional arguments and options of one command. Options named in `valued` take a value.
class Args
{
public:
    Args(const QStringList &arguments, const QSet<QString> &valued, const QSet<QString> &flags);

    const QStringList &positional() const { return m_positional; }
    QString positional(int i, const QString &what) const;  // throws UsageError when missing
    bool has(const QString &option) const { return m_values.contains(option) || m_flags.contains(option); }
    QString value(const QString &option, const QString &fallback = {}) const;
    QString required(const QString &option) const;  // throws UsageError when missing
    // The value of the name given to an option that takes one of a few names ("" when absent);
    // throws UsageError "OPTION takes a, b or c" for any other.
    int choice(const QString &option, const QList<std::pair<QString, int>> &names) const;
    void expectPositionalCount(int min, int max) const;

private:
    QStringList m_positional;
    QHash<QString, QString> m_values;
    QSet<QString> m_flags;
};

// --game loto6|miniloto as the game (RunMode); throws UsageError for anything else.
int gameOption(const Args &args);

// The pattern file named by --pattern: its bytes and its wheel. Throws UsageError when the option
// is missing, Refused for a file that cannot be read or is no pattern (no "0"/"1" lines, or lines
// of different lengths).
struct PatternInput
{
    QByteArray bytes;
    PatternFile::Wheel wheel;
};
PatternInput patternOption(const Args &args);

// Loads a draw-result file as the main window does; throws Refused for a refused file.
void loadDrawTable(const QString &path, DrawTable &table, int *runMode = nullptr);
// Applies --select all|first:N|last:N (default: all, the state after a load).
void applySelection(DrawTable &table, const QString &choice);
// The analysis set of a command: FILE (first positional argument) loaded, --select applied.
// Returns the game (RunMode).
int loadAnalysisSet(const Args &args, DrawTable &table);

using Command = std::function<int(const QStringList &arguments, Output &out)>;
struct CommandInfo
{
    QString name;
    QString usage;
    Command run;
};
// Every command the tool knows, in the order the usage text lists them.
QList<CommandInfo> commands();

// Commands of each subsystem (one function per command).
int runLoad(const QStringList &arguments, Output &out);
int runFreq(const QStringList &arguments, Output &out);
int runTrend(const QStringList &arguments, Output &out);
int runCheck(const QStringList &arguments, Output &out);
int runSearch(const QStringList &arguments, Output &out);
int runTally(const QStringList &arguments, Output &out);
int runCombos(const QStringList &arguments, Output &out);
int runGuarantee(const QStringList &arguments, Output &out);
int runPurchases(const QStringList &arguments, Output &out);
int runDate(const QStringList &arguments, Output &out);
int runPattern(const QStringList &arguments, Output &out);
int runUpdate(const QStringList &arguments, Output &out);
int runBackTest(const QStringList &arguments, Output &out);
int runSite(const QStringList &arguments, Output &out);

} // namespace cli
