#pragma once

#include "combinations/patternaudit.h"
#include "combinations/patternfolder.h"
#include "combinations/patternmanager.h"
#include "combinations/patternmanagerlink.h"
#include "combinations/wheelgenerator.h"

#include <QList>
#include <QWidget>

class BackgroundTask;
class TaskProgress;
class PanelStatusBar;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;

// "パターンファイル": the program's one pattern file manager. The user types (or generates) the
// tickets of a wheel as pool positions, converts them into "0"/"1" lines, saves them as the next
// file of their kind in the pattern folder, and lists what the folder holds.
class FormPattern : public QWidget, public PatternManagerLink
{
    Q_OBJECT

public:
    explicit FormPattern(QWidget *parent = nullptr);
    ~FormPattern() override;

    // A main window of that game (6 LOTO6, 5 miniLOTO) opened the manager: the generator offers
    // its game. Other values leave the choice as it is.
    void setOpenerGame(int picks);

    QPlainTextEdit *Text1() const { return m_source; }
    QPlainTextEdit *Text2() const { return m_converted; }
    QLineEdit *Text3() const { return m_poolSize; }
    QRadioButton *Option1(int index) const { return m_tierOptions.value(index); }
    QLineEdit *Text4() const { return m_keyCount; }
    QPushButton *Command1() const { return m_convertButton; }
    QPushButton *Command2() const { return m_saveButton; }
    QPushButton *Command3() const { return m_listButton; }
    QPushButton *Command4() const { return m_summaryButton; }
    QListWidget *File1() const { return m_files; }
    QPlainTextEdit *Text5() const { return m_summary; }
    QListWidget *List1() const { return m_summaryLines; }
    PanelStatusBar *StatusBar1() const { return m_status; }
    // The generator: game, time budget in seconds, "生成", "中止", the bounds of the request.
    QComboBox *Combo1() const { return m_gameChoice; }
    QLineEdit *Text6() const { return m_seconds; }
    QPushButton *Command5() const { return m_generateButton; }
    QPushButton *Command6() const { return m_stopButton; }
    QLabel *Label5() const { return m_lowerBound; }
    QLabel *Label6() const { return m_bestKnown; }
    QProgressBar *ProgressBar1() const { return m_progress; }
    bool isGenerating() const;
    // 保存 is verifying its wheel; a progress dialog shows when that takes a while.
    bool isSaving() const;
    // The verdicts on the folder's files, kept while the window lives.
    const PatternAudit &audit() const { return m_audit; }

    // The pick count and pool size of the last convert, used by the save.
    int picks() const { return m_picks; }
    int pool() const { return m_pool; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    // Summary and list of the folder's files: both games for 0, LOTO6 for 6, miniLOTO for 5; any
    // other mode repeats the last one.
    void PatternAll(int mode) override;

Q_SIGNALS:
    // A generator run ended; produced: its tickets are in Text1.
    void generatorFinished(bool produced);
    // 保存 ended: a file was written, or not (refused, declined, cancelled).
    void saveFinished(bool saved);
    // The files listed have been verified.
    void auditFinished();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The source and converted texts, side by side.
    QSplitter *buildTexts();
    // What the save names the file by: pool size, tier and key count; 変換 and 保存.
    QHBoxLayout *buildSettings();
    // The generator takes the pool size, tier and key count from the settings; the game is its
    // own choice, as the boxes do not tell the numbers on a ticket.
    QGroupBox *buildGenerator();
    // The folder: its files, and the summary of their kinds.
    QHBoxLayout *buildFolder();
    // The folder; a failure to set it up shows in the status bar.
    QString folder() const;
    void refreshFiles(const QString &select = {});
    // Marks the listed files that fall short of their names, and verifies the ones not known yet.
    void showVerdicts();
    void startAudit(const QList<PatternAudit::Job> &jobs);
    // Converts the source; false when refused (after the warning) or empty.
    bool convertSource();
    void saveVerified(const PatternManager::SaveCheck &check, const std::optional<PatternVerify::Verdict> &verdict);
    PatternFolder::Request generatorRequest() const;
    void showBounds();
    void setGenerating(bool running);
    void generatorProgress();
    void generatorDone(const WheelGenerator::Result &result);

    int m_picks = 0;
    int m_pool = 0;
    int m_mode = 0;
    // The source and pool size of the last convert: 保存 converts again when they changed.
    QString m_convertedSource;
    QString m_convertedPool;

    QPlainTextEdit *m_source = nullptr;
    QPlainTextEdit *m_converted = nullptr;
    QLineEdit *m_poolSize = nullptr;
    QList<QRadioButton *> m_tierOptions;
    QLineEdit *m_keyCount = nullptr;
    QPushButton *m_convertButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_listButton = nullptr;
    QPushButton *m_summaryButton = nullptr;
    QListWidget *m_files = nullptr;
    QPlainTextEdit *m_summary = nullptr;
    QListWidget *m_summaryLines = nullptr;
    QComboBox *m_gameChoice = nullptr;
    QLineEdit *m_seconds = nullptr;
    QPushButton *m_generateButton = nullptr;
    QPushButton *m_stopButton = nullptr;
    QLabel *m_lowerBound = nullptr;
    QLabel *m_bestKnown = nullptr;
    QProgressBar *m_progress = nullptr;
    PanelStatusBar *m_status = nullptr;
    BackgroundTask *m_task = nullptr;
    BackgroundTask *m_saveTask = nullptr;
    BackgroundTask *m_auditTask = nullptr;
    TaskProgress *m_saveProgress = nullptr;
    PatternAudit m_audit;
};
