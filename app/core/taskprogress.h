#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class BackgroundTask;
class QProgressDialog;
class QWidget;

// The progress dialog of a run of a BackgroundTask that lasts more than a moment: it shows once
// the run has gone on for the delay, follows the task's progress, and its キャンセル asks the
// task to stop. Quick runs never show it.
class TaskProgress : public QObject
{
public:
    static constexpr int kDelayMs = 300;

    TaskProgress(QWidget *owner, BackgroundTask *task, const QString &text);

    // A run has started.
    void start();
    // The run has ended: the dialog (if shown) closes.
    void finish();
    QProgressDialog *dialog() const;

private:
    void show();

    QWidget *m_owner;
    BackgroundTask *m_task;
    QString m_text;
    QTimer m_delay;
    QPointer<QProgressDialog> m_dialog;
};
