#include "updates/formupdate.h"

#include "about/helppages.h"
#include "combinations/patternfolder.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/program.h"
#include "core/userdata.h"
#include "updates/sitesignature.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMutex>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

// Lines of the log on their way from the run's thread to the window.
struct FormUpdate::Queue
{
    QMutex mutex;
    QList<UpdateEntry> entries;
};

FormUpdate::FormUpdate(const UpdateSetup &setup, Program &program, QWidget *parent)
    : QWidget(parent, Qt::Window), m_setup(setup), m_program(program), m_site(setup.site)
{
    setObjectName(QString::fromLatin1(UpdateTools::Window));
    setWindowTitle(u"オンライン更新"_s);
    auto *layout = new QVBoxLayout(this);
    m_log = new QListWidget(this);
    m_log->setObjectName(u"List1"_s);
    m_log->setWordWrap(true);
    m_log->setMinimumSize(560, 260);
    layout->addWidget(m_log, 1);
    m_status = new QLabel(this);
    m_status->setObjectName(u"Label1"_s);
    // A long status wraps instead of widening the window past the screen.
    m_status->setWordWrap(true);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(m_status);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(u"ProgressBar1"_s);
    layout->addWidget(m_bar);

    auto *buttons = new QHBoxLayout;
    m_download = new QPushButton(u"新しい版をダウンロード"_s, this);
    m_download->setObjectName(u"Command3"_s);
    m_reload = new QPushButton(u"抽選結果を読み直す"_s, this);
    m_reload->setObjectName(u"Command4"_s);
    m_cancel = new QPushButton(u"中止"_s, this);
    m_cancel->setObjectName(u"Command1"_s);
    m_close = new QPushButton(u"閉じる"_s, this);
    m_close->setObjectName(u"Command2"_s);
    buttons->addWidget(m_download);
    buttons->addWidget(m_reload);
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    m_download->hide();
    m_reload->hide();
    m_cancel->setEnabled(false);

    connect(m_cancel, &QPushButton::clicked, &m_task, &BackgroundTask::cancel);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_download, &QPushButton::clicked, this, &FormUpdate::downloadProgram);
    connect(m_reload, &QPushButton::clicked, this, &FormUpdate::reloadDrawFiles);
    connect(&m_task, &BackgroundTask::progressChanged, this, &FormUpdate::showProgress);
    connect(&m_task, &BackgroundTask::finished, this, [this] {
        drain();
        m_cancel->setEnabled(false);
        if (!m_task.error().isEmpty())
            m_status->setText(m_task.error());
        Q_EMIT runFinished();
    });
}

FormUpdate::~FormUpdate() = default;

Updater::Options FormUpdate::options(const QString &site) const
{
    Updater::Options options;
    options.site = site;
    options.dataFolder = m_setup.dataFolder.isEmpty() ? UserData::folder() : m_setup.dataFolder;
    if (m_setup.dataFolder.isEmpty())
        options.patternFolder = PatternFolder::path();
    options.trustedKeys = SiteSignature::trustedKeys() + m_setup.extraKeys;
    if (m_setup.stallMs > 0)
        options.limits.stallMs = m_setup.stallMs;
    options.programVersion = QCoreApplication::applicationVersion();
    options.bundledHelpVersion = UserData::helpVersion(HelpPages::bundledFolder());
    return options;
}

bool FormUpdate::isRunning() const
{
    return m_task.isRunning();
}

void FormUpdate::startUpdate(const QString &site, bool quiet)
{
    if (m_task.isRunning())
        return;
    m_site = site;
    m_quiet = quiet;
    m_report.reset();
    m_reloadable.clear();
    m_log->clear();
    m_download->hide();
    m_reload->hide();
    m_bar->setRange(0, 0);
    m_status->setText(u"%1 を確かめています…"_s.arg(site));
    m_cancel->setEnabled(true);
    m_queue = std::make_shared<Queue>();
    const Updater::Options runOptions = options(site);
    m_task.start(
        [runOptions, queue = m_queue](BackgroundTask::Run &run) {
            Updater::Listener listener;
            qint64 done = 0;
            qint64 total = 0;
            listener.entry = [&](const UpdateEntry &entry) {
                {
                    QMutexLocker lock(&queue->mutex);
                    queue->entries.append(entry);
                }
                run.setProgress(done, total, entry.line());
            };
            listener.progress = [&](qint64 d, qint64 t, const QString &text) {
                done = d;
                total = t;
                run.setProgress(d, t, text);
            };
            return Updater::run(runOptions, listener, run.cancelFlag());
        },
        [this](Updater::Report report) { delivered(report); });
}

QStringList FormUpdate::logLines() const
{
    QStringList lines;
    for (int i = 0; i < m_log->count(); ++i)
        lines.append(m_log->item(i)->text());
    return lines;
}

void FormUpdate::addLine(const UpdateEntry &entry)
{
    // In step order: a step's line can come after the lines of the steps behind it.
    int row = m_log->count();
    while (row > 0 && m_log->item(row - 1)->data(Qt::UserRole).toInt() > entry.order)
        --row;
    auto *item = new QListWidgetItem(entry.line());
    item->setData(Qt::UserRole, entry.order);
    m_log->insertItem(row, item);
    if (entry.outcome == UpdateEntry::Outcome::Failed)
        item->setForeground(Qt::red);
    else if (entry.outcome == UpdateEntry::Outcome::News)
        item->setForeground(Qt::darkBlue);
    m_log->scrollToItem(item);
}

void FormUpdate::drain()
{
    if (!m_queue)
        return;
    QList<UpdateEntry> entries;
    {
        QMutexLocker lock(&m_queue->mutex);
        entries.swap(m_queue->entries);
    }
    for (const UpdateEntry &entry : std::as_const(entries))
        addLine(entry);
}

void FormUpdate::showProgress()
{
    drain();
    const BackgroundTask::Progress progress = m_task.progress();
    if (progress.total > 0) {
        m_bar->setRange(0, int(progress.total));
        m_bar->setValue(int(std::min(progress.done, progress.total)));
    }
    if (!progress.text.isEmpty())
        m_status->setText(progress.text);
}

void FormUpdate::delivered(const Updater::Report &report)
{
    drain();
    m_report = report;
    m_bar->setRange(0, 1);
    m_bar->setValue(1);
    m_status->setText(report.cancelled ? u"中止しました"_s
                      : report.failed  ? u"終わりました（うまくいかなかった項目があります）"_s
                                       : u"終わりました"_s);
    m_download->setVisible(report.newerProgram && report.newerProgram->package);
    // A main window that shows a file the update changed is offered a reload.
    const FormMain *main = m_program.firstWindow();
    const QString dataFolder = options(m_site).dataFolder;
    for (const int game : report.updatedGames) {
        const QString path = QFileInfo(UserData::drawFile(dataFolder, game)).absoluteFilePath();
        if (main && main->loadedFile() == path)
            m_reloadable.append(path);
    }
    if (!m_reloadable.isEmpty()) {
        addLine({u"抽選結果"_s, UpdateEntry::Outcome::News, u"表示中のファイルが新しくなりました。「抽選結果を読み直す」で読み直せます"_s,
                 std::numeric_limits<int>::max()});
        m_reload->show();
    }
    if (!m_quiet || report.news || report.failed) {
        if (main)
            showToolWindow(this, frameTopRight(main));
        else
            showToolWindow(this);
    }
}

void FormUpdate::downloadProgram()
{
    if (!m_report || !m_report->newerProgram || !m_report->newerProgram->package || m_task.isRunning())
        return;
    m_download->setEnabled(false);
    m_cancel->setEnabled(true);
    m_bar->setRange(0, 0);
    m_status->setText(u"パッケージをダウンロードしています…"_s);
    const Updater::Options runOptions = options(m_site);
    const SiteManifest::File package = *m_report->newerProgram->package;
    const std::optional<Updater::Report> kept = m_report;
    m_task.start([runOptions, package](BackgroundTask::Run &run) { return Updater::download(runOptions, package, run.cancelFlag()); },
                 [this, kept](const UpdateEntry &entry) {
                     UpdateEntry last = entry;
                     last.order = std::numeric_limits<int>::max();
                     addLine(last);
                     m_report = kept;
                     m_bar->setRange(0, 1);
                     m_bar->setValue(1);
                     m_status->setText(entry.outcome == UpdateEntry::Outcome::Failed ? u"ダウンロードできませんでした"_s
                                                                                     : u"終わりました"_s);
                     m_download->setEnabled(entry.outcome != UpdateEntry::Outcome::Done);
                 });
}

void FormUpdate::reloadDrawFiles()
{
    FormMain *main = m_program.firstWindow();
    for (const QString &path : std::as_const(m_reloadable)) {
        if (main && main->loadedFile() == path)
            main->loadFile(path);
    }
    m_reload->hide();
}

void FormUpdate::closeEvent(QCloseEvent *event)
{
    // Closing while it runs stops the run (nothing it fetched is written unless its writes had
    // begun), and its end does not bring the window back.
    m_quiet = true;
    m_task.cancel();
    event->accept();
}
