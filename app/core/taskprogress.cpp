#include "core/taskprogress.h"

#include "core/backgroundtask.h"

#include <QApplication>
#include <QFontMetrics>
#include <QProgressDialog>
#include <QWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

TaskProgress::TaskProgress(QWidget *owner, BackgroundTask *task, const QString &text)
    : QObject(owner), m_owner(owner), m_task(task), m_text(text)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(kDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &TaskProgress::show);
    connect(m_task, &BackgroundTask::progressChanged, this, [this] {
        if (m_dialog)
            m_dialog->setValue(m_task->percent());
    });
}

void TaskProgress::start()
{
    m_delay.start();
}

void TaskProgress::finish()
{
    m_delay.stop();
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->deleteLater();
        m_dialog = nullptr;
    }
}

QProgressDialog *TaskProgress::dialog() const
{
    return m_dialog.data();
}

void TaskProgress::show()
{
    if (!m_task->isRunning() || m_dialog)
        return;
    auto *dialog = new QProgressDialog(m_text, u"キャンセル"_s, 0, 100, m_owner);
    dialog->setObjectName(u"ProgressDialog"_s);
    dialog->setWindowTitle(m_owner->window()->windowTitle());
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->setValue(m_task->percent());
    // Wide enough for its title beside the window buttons: a dialog sized to its text alone
    // showed "組み合わ…".
    const int title = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(dialog->windowTitle());
    dialog->setMinimumWidth(std::max(dialog->sizeHint().width(), title * 5 / 4 + 140));
    connect(dialog, &QProgressDialog::canceled, m_task, &BackgroundTask::cancel);
    m_dialog = dialog;
    dialog->show();
}
