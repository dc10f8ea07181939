#pragma once

#include "core/backgroundtask.h"
#include "updates/updater.h"
#include "updates/updatesfeature.h"

#include <QWidget>

#include <memory>
#include <optional>

class Program;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// The progress log of an online update: a line per step with its outcome, a progress bar, and
// 中止 / 閉じる; after the run, the download of a newer program and the reload of a draw file the
// main window shows, when there is one.
class FormUpdate : public QWidget
{
    Q_OBJECT
public:
    FormUpdate(const UpdateSetup &setup, Program &program, QWidget *parent = nullptr);
    ~FormUpdate() override;

    // Starts an update from `site` unless one runs. A quiet run shows the window only when it
    // brings news or fails.
    void startUpdate(const QString &site, bool quiet);
    bool isRunning() const;
    QStringList logLines() const;
    const std::optional<Updater::Report> &lastReport() const { return m_report; }

Q_SIGNALS:
    void runFinished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Queue;
    Updater::Options options(const QString &site) const;
    void addLine(const UpdateEntry &entry);
    void drain();
    void showProgress();
    void delivered(const Updater::Report &report);
    void downloadProgram();
    void reloadDrawFiles();

    UpdateSetup m_setup;
    Program &m_program;
    QString m_site;
    bool m_quiet = false;
    std::shared_ptr<Queue> m_queue;
    std::optional<Updater::Report> m_report;
    QStringList m_reloadable;
    BackgroundTask m_task;
    QListWidget *m_log;
    QProgressBar *m_bar;
    QLabel *m_status;
    QPushButton *m_cancel;
    QPushButton *m_close;
    QPushButton *m_download;
    QPushButton *m_reload;
};
