#pragma once

#include "combinations/patternfolder.h"
#include "combinations/patternmanagerlink.h"
#include "combinations/wheelgenerator.h"

#include <QList>
#include <QWidget>

class BackgroundTask;
class PanelStatusBar;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
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

    QPlainTextEdit *Text1() const { return m_text1; }
    QPlainTextEdit *Text2() const { return m_text2; }
    QLineEdit *Text3() const { return m_text3; }
    QRadioButton *Option1(int index) const { return m_option1.value(index); }
    QLineEdit *Text4() const { return m_text4; }
    QPushButton *Command1() const { return m_command1; }
    QPushButton *Command2() const { return m_command2; }
    QPushButton *Command3() const { return m_command3; }
    QPushButton *Command4() const { return m_command4; }
    QListWidget *File1() const { return m_file1; }
    QPlainTextEdit *Text5() const { return m_text5; }
    QListWidget *List1() const { return m_list1; }
    PanelStatusBar *StatusBar1() const { return m_status; }
    // The generator: game, time budget in seconds, "生成", "中止", the bounds of the request.
    QComboBox *Combo1() const { return m_combo1; }
    QLineEdit *Text6() const { return m_text6; }
    QPushButton *Command5() const { return m_command5; }
    QPushButton *Command6() const { return m_command6; }
    QLabel *Label5() const { return m_label5; }
    QLabel *Label6() const { return m_label6; }
    QProgressBar *ProgressBar1() const { return m_progress; }
    bool isGenerating() const;

    // The pick count and pool size of the last convert, used by the save.
    int picks() const { return m_picks; }
    int pool() const { return m_pool; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    // Summary of the folder's files: both games for 0, LOTO6 for 6, miniLOTO for 5; any other
    // mode repeats the last one.
    void PatternAll(int mode) override;

Q_SIGNALS:
    // A generator run ended; produced: its tickets are in Text1.
    void generatorFinished(bool produced);

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
    QString folder() const;
    void refreshFiles(const QString &select = {});
    PatternFolder::Request generatorRequest() const;
    void showBounds();
    void setGenerating(bool running);
    void generatorProgress();
    void generatorDone(const WheelGenerator::Result &result);

    int m_picks = 0;
    int m_pool = 0;
    int m_mode = 0;

    QPlainTextEdit *m_text1 = nullptr;
    QPlainTextEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QList<QRadioButton *> m_option1;
    QLineEdit *m_text4 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command4 = nullptr;
    QListWidget *m_file1 = nullptr;
    QPlainTextEdit *m_text5 = nullptr;
    QListWidget *m_list1 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QLineEdit *m_text6 = nullptr;
    QPushButton *m_command5 = nullptr;
    QPushButton *m_command6 = nullptr;
    QLabel *m_label5 = nullptr;
    QLabel *m_label6 = nullptr;
    QProgressBar *m_progress = nullptr;
    PanelStatusBar *m_status = nullptr;
    BackgroundTask *m_task = nullptr;
};
