#include "combinations/formpattern.h"

#include "combinations/patternconvert.h"
#include "combinations/patternmanager.h"
#include "combinations/wheelgenerator.h"
#include "core/backgroundtask.h"
#include "core/controlarray.h"
#include "core/formhelpers.h"
#include "core/game.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/taskprogress.h"
#include "core/widgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// A generator run longer than a day is a typing slip.
constexpr qint64 kMaxSeconds = 86400;
// Where a list item keeps its file name: its text may carry the shortfall mark.
constexpr int kFileNameRole = Qt::UserRole;

QLabel *caption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// A caption over its control, as the entry boxes of the window stand.
QVBoxLayout *captioned(const QString &text, QWidget *control, QWidget *parent)
{
    auto *column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(caption(text, control, parent));
    column->addWidget(control, 1);
    return column;
}

NumericLineEdit *numberBox(const QString &name, const QString &text, const QString &widest, QWidget *parent)
{
    auto *box = new NumericLineEdit(text, parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(widest) + 16);
    return box;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QPlainTextEdit *textBox(const QString &name, QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

int tierIndex(const QList<QRadioButton *> &options)
{
    return GetOptionIndex({options.begin(), options.end()});
}

// A bound in tickets, or a dash when there is none.
QString boundText(const QString &label, qint64 value)
{
    return value >= 0 ? u"%1 %2枚"_s.arg(label).arg(value) : label + u" ―"_s;
}
} // namespace

FormPattern::FormPattern(QWidget *parent)
    : QWidget(parent, Qt::Window), m_task(new BackgroundTask(this)), m_saveTask(new BackgroundTask(this)),
      m_auditTask(new BackgroundTask(this)),
      m_saveProgress(new TaskProgress(this, m_saveTask, u"パターンの保証を確かめています。"_s))
{
    setObjectName(u"FormPattern"_s);
    setWindowTitle(u"パターンファイル"_s);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildTexts(), 1);
    layout->addLayout(buildSettings());
    layout->addWidget(buildGenerator());
    layout->addLayout(buildFolder(), 1);
    layout->addWidget(m_summaryLines);
    m_status = new PanelStatusBar(1, this);
    m_status->setSizeGripEnabled(true);
    layout->addWidget(m_status);

    connect(m_poolSize, &QLineEdit::textChanged, this, &FormPattern::showBounds);
    connect(m_keyCount, &QLineEdit::textChanged, this, &FormPattern::showBounds);
    for (QRadioButton *option : std::as_const(m_tierOptions))
        connect(option, &QRadioButton::toggled, this, &FormPattern::showBounds);
    connect(m_gameChoice, &QComboBox::currentIndexChanged, this, &FormPattern::showBounds);
    connect(m_task, &BackgroundTask::progressChanged, this, &FormPattern::generatorProgress);

    resize(880, 660);
    showBounds();
    refreshFiles();
}

QSplitter *FormPattern::buildTexts()
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_source = textBox(u"Text1"_s, this);
    m_source->setFont(fixed);
    m_source->setPlaceholderText(u"1 2 3 4 5 6"_s);
    m_converted = textBox(u"Text2"_s, this);
    m_converted->setFont(fixed);
    // Side by side: the lines of both stand level.
    auto *texts = new QSplitter(Qt::Horizontal, this);
    texts->setChildrenCollapsible(false);
    for (const auto &[box, text] : {std::pair{m_source, u"ソース（1行に1枚、位置を空白で区切る）"_s},
                                    std::pair{m_converted, u"変換後"_s}}) {
        auto *side = new QWidget(texts);
        auto *layout = captioned(text, box, side);
        layout->setContentsMargins(0, 0, 0, 0);
        side->setLayout(layout);
        texts->addWidget(side);
    }
    return texts;
}

QHBoxLayout *FormPattern::buildSettings()
{
    // Made in the order they stand, which Tab follows: the pool, the tiers, the keys.
    m_poolSize = numberBox(u"Text3"_s, u"0"_s, u"0000"_s, this);
    auto *tiers = new QHBoxLayout;
    const QString tierCaptions[] = {u"１等"_s, u"３等"_s, u"４等"_s, u"５等"_s};
    for (int i = 0; i < 4; ++i) {
        auto *option = new QRadioButton(tierCaptions[i], this);
        setControlIndex(option, u"Option1"_s, i);
        tiers->addWidget(option);
        m_tierOptions.append(option);
    }
    m_tierOptions[1]->setChecked(true);  // "３等", the tier most wheels are made for
    m_keyCount = numberBox(u"Text4"_s, u"0"_s, u"0000"_s, this);
    m_convertButton = button(u"Command1"_s, u"変換"_s, this);
    m_saveButton = button(u"Command2"_s, u"保存"_s, this);
    connect(m_convertButton, &QPushButton::clicked, this, &FormPattern::Command1_Click);
    connect(m_saveButton, &QPushButton::clicked, this, &FormPattern::Command2_Click);
    auto *settings = new QHBoxLayout;
    settings->addLayout(captioned(u"選択数"_s, m_poolSize, this));
    settings->addSpacing(12);
    auto *tierBox = new QVBoxLayout;
    tierBox->setSpacing(2);
    tierBox->addWidget(new QLabel(u"保証する等級"_s, this));
    tierBox->addLayout(tiers);
    settings->addLayout(tierBox);
    settings->addSpacing(12);
    settings->addLayout(captioned(u"Key数字数"_s, m_keyCount, this));
    settings->addStretch(1);
    settings->addWidget(m_convertButton, 0, Qt::AlignBottom);
    settings->addWidget(m_saveButton, 0, Qt::AlignBottom);
    return settings;
}

QGroupBox *FormPattern::buildGenerator()
{
    auto *generator = new QGroupBox(u"パターン生成"_s, this);
    m_gameChoice = new QComboBox(generator);
    m_gameChoice->setObjectName(u"Combo1"_s);
    m_gameChoice->addItem(u"LOTO6"_s, Game::Loto6);
    m_gameChoice->addItem(u"miniLOTO"_s, Game::MiniLoto);
    m_seconds = numberBox(u"Text6"_s, QString::number(qint64(WheelGenerator::kDefaultSeconds)), u"000000"_s, generator);
    m_generateButton = button(u"Command5"_s, u"生成"_s, generator);
    m_stopButton = button(u"Command6"_s, u"中止"_s, generator);
    m_stopButton->setEnabled(false);
    connect(m_generateButton, &QPushButton::clicked, this, &FormPattern::Command5_Click);
    connect(m_stopButton, &QPushButton::clicked, this, &FormPattern::Command6_Click);
    m_lowerBound = new QLabel(generator);
    m_lowerBound->setObjectName(u"Label5"_s);
    m_bestKnown = new QLabel(generator);
    m_bestKnown->setObjectName(u"Label6"_s);
    m_progress = new QProgressBar(generator);
    m_progress->setObjectName(u"ProgressBar1"_s);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    auto *genRow = new QHBoxLayout;
    genRow->addWidget(caption(u"ゲーム"_s, m_gameChoice, generator));
    genRow->addWidget(m_gameChoice);
    genRow->addSpacing(8);
    genRow->addWidget(caption(u"時間"_s, m_seconds, generator));
    genRow->addWidget(m_seconds);
    genRow->addWidget(new QLabel(u"秒"_s, generator));
    genRow->addSpacing(8);
    genRow->addWidget(m_lowerBound);
    genRow->addSpacing(8);
    genRow->addWidget(m_bestKnown);
    genRow->addStretch(1);
    genRow->addWidget(m_generateButton);
    genRow->addWidget(m_stopButton);
    auto *genLayout = new QVBoxLayout(generator);
    genLayout->addLayout(genRow);
    genLayout->addWidget(m_progress);
    return generator;
}

QHBoxLayout *FormPattern::buildFolder()
{
    m_files = new QListWidget(this);
    m_files->setObjectName(u"File1"_s);
    m_summary = textBox(u"Text5"_s, this);
    m_summary->setReadOnly(true);
    // Orders the summary lines; the summary text shows them.
    m_summaryLines = new QListWidget(this);
    m_summaryLines->setObjectName(u"List1"_s);
    m_summaryLines->setVisible(false);
    m_listButton = button(u"Command3"_s, u"リスト出力"_s, this);
    m_summaryButton = button(u"Command4"_s, u"一覧"_s, this);
    connect(m_listButton, &QPushButton::clicked, this, &FormPattern::Command3_Click);
    connect(m_summaryButton, &QPushButton::clicked, this, &FormPattern::Command4_Click);
    auto *folderRow = new QHBoxLayout;
    auto *files = captioned(u"パターンファイル"_s, m_files, this);
    files->addWidget(m_listButton);
    folderRow->addLayout(files, 1);
    auto *summary = captioned(u"種類ごとのファイル数"_s, m_summary, this);
    summary->addWidget(m_summaryButton, 0, Qt::AlignLeft);
    folderRow->addLayout(summary, 3);
    return folderRow;
}

FormPattern::~FormPattern() = default;

QString FormPattern::folder() const
{
    QString error;
    const QString path = PatternFolder::ready(&error);
    if (!error.isEmpty())
        m_status->setPanelText(1, error);
    return path;
}

void FormPattern::refreshFiles(const QString &select)
{
    m_files->clear();
    // After "PatternFiles" only the files of that game.
    for (const QString &name : PatternFolder::allFiles(folder(), m_mode)) {
        auto *item = new QListWidgetItem(name, m_files);
        item->setData(kFileNameRole, name);
        if (name == select) {
            m_files->setCurrentItem(item);
            m_files->scrollToItem(item);
        }
    }
    showVerdicts();
}

void FormPattern::showVerdicts()
{
    QStringList names;
    for (int i = 0; i < m_files->count(); ++i)
        names.append(m_files->item(i)->data(kFileNameRole).toString());
    const PatternAudit::Look look = m_audit.look(folder(), names);
    for (int i = 0; i < m_files->count(); ++i) {
        QListWidgetItem *item = m_files->item(i);
        const std::optional<PatternVerify::Verdict> &verdict = look.verdicts[i];
        const bool falls = verdict && !verdict->holds();
        // A cross before the name and red: the file does not keep what its name promises.
        item->setText(falls ? u"✕ "_s + names[i] : names[i]);
        item->setForeground(falls ? QBrush(Qt::red) : QBrush());
        item->setToolTip(falls ? verdict->shortfall : QString());
    }
    startAudit(look.pending);
}

void FormPattern::startAudit(const QList<PatternAudit::Job> &jobs)
{
    // A run going verifies what it has; the list is looked at again when it ends.
    if (jobs.isEmpty() || m_auditTask->isRunning())
        return;
    using Verified = QList<std::pair<PatternAudit::Job, PatternVerify::Verdict>>;
    m_auditTask->start(
        [jobs](BackgroundTask::Run &run) {
            PatternVerify::Options options;
            options.cancel = run.cancelFlag();
            Verified verified;
            for (const PatternAudit::Job &job : jobs) {
                const std::optional<PatternVerify::Verdict> verdict = PatternAudit::verify(job.path, job.request, options);
                if (!verdict)
                    break;
                verified.append({job, *verdict});
            }
            return verified;
        },
        [this](const Verified &verified) {
            for (const auto &[job, verdict] : verified)
                m_audit.record(job, verdict);
            showVerdicts();
            if (!m_auditTask->isRunning())
                Q_EMIT auditFinished();
        });
}

void FormPattern::setOpenerGame(int picks)
{
    const int index = m_gameChoice->findData(picks);
    if (index >= 0 && !isGenerating())
        m_gameChoice->setCurrentIndex(index);
}

bool FormPattern::isGenerating() const
{
    return m_task->isRunning();
}

bool FormPattern::isSaving() const
{
    return m_saveTask->isRunning();
}


void FormPattern::Command1_Click()
{
    convertSource();
}

bool FormPattern::convertSource()
{
    const PatternConvert::Result converted = PatternConvert::convert(m_source->toPlainText(), m_poolSize->text());
    if (!converted.warning.isEmpty()) {
        Messages::warn(this, converted.warning);
        return false;
    }
    if (!converted.done)
        return false;
    m_converted->setPlainText(converted.text());
    m_picks = converted.picks;
    m_pool = converted.pool;
    m_convertedSource = m_source->toPlainText();
    m_convertedPool = m_poolSize->text();
    return true;
}

void FormPattern::Command2_Click()
{
    if (isSaving())
        return;
    // What is saved is what the source holds now; with no source, the lines typed into the
    // converted box as they are.
    const bool changed = m_source->toPlainText() != m_convertedSource || m_poolSize->text() != m_convertedPool;
    if (changed && !m_source->toPlainText().isEmpty() && !convertSource()) {
        Q_EMIT saveFinished(false);
        return;
    }
    PatternManager::SaveInput input;
    input.folder = folder();
    input.convertedText = m_converted->toPlainText();
    input.picks = m_picks;
    input.pool = m_pool;
    input.tier = PatternManager::tierOfOption(tierIndex(m_tierOptions));
    input.keysText = m_keyCount->text();
    const PatternManager::SaveCheck check = PatternManager::check(input);
    if (!check.ok()) {
        Messages::warn(this, check.refusal);
        Q_EMIT saveFinished(false);
        return;
    }
    m_saveTask->start(
        [check](BackgroundTask::Run &run) {
            PatternVerify::Options options;
            options.cancel = run.cancelFlag();
            options.progress = [&run](qint64 done, qint64 total) { run.setProgress(done, total); };
            return PatternManager::verify(check, options);
        },
        [this, check](const std::optional<PatternVerify::Verdict> &verdict) { saveVerified(check, verdict); });
    m_saveProgress->start();
}

void FormPattern::saveVerified(const PatternManager::SaveCheck &check, const std::optional<PatternVerify::Verdict> &verdict)
{
    m_saveProgress->finish();
    if (!verdict) {
        m_status->setPanelText(1, u"保存をやめました。"_s);
        Q_EMIT saveFinished(false);
        return;
    }
    int tier = check.request.tier;
    if (!verdict->holds()) {
        // What the wheel does guarantee can still be saved as such, when the user wants it.
        if (verdict->tier == 0) {
            Messages::warn(this, verdict->shortfall);
            Q_EMIT saveFinished(false);
            return;
        }
        const QString question = verdict->shortfall + u'\n'
                                 + u"%1のパターンとして保存しますか？"_s.arg(PatternVerify::guaranteeLabel(verdict->tier));
        if (Messages::show(this, question, Messages::Icon::Question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
            Q_EMIT saveFinished(false);
            return;
        }
        tier = verdict->tier;
    }
    const PatternManager::SaveResult saved = PatternManager::write(check, tier);
    if (!saved.saved) {
        Messages::show(this, saved.message, saved.critical ? Messages::Icon::Critical : Messages::Icon::Exclamation);
        Q_EMIT saveFinished(false);
        return;
    }
    refreshFiles(saved.fileName);
    m_status->setPanelText(1, u"%1 を保存しました。"_s.arg(saved.fileName));
    Q_EMIT saveFinished(true);
}

void FormPattern::Command3_Click()
{
    const PatternManager::ListResult list = PatternManager::writeList(folder());
    if (!list.written) {
        Messages::warn(this, list.message);
        return;
    }
    m_status->setPanelText(1, list.status);
}

void FormPattern::Command4_Click()
{
    PatternAll(0);
}

void FormPattern::PatternAll(int mode)
{
    if (mode == 0 || mode == Game::MiniLoto || mode == Game::Loto6)
        m_mode = mode;
    // The lines come in the list's order (ascending text, letter case ignored).
    const QStringList lines = PatternManager::summaryLines(folder(), m_mode);
    m_summaryLines->clear();
    m_summaryLines->addItems(lines);
    m_summary->setPlainText(PatternManager::summaryText(lines));
    refreshFiles();
    // Only a window of a game asks for that game's summary: the generator offers it too.
    if (mode != 0)
        setOpenerGame(mode);
}

PatternFolder::Request FormPattern::generatorRequest() const
{
    return PatternManager::generatorRequest(m_gameChoice->currentData().toInt(), tierIndex(m_tierOptions), m_poolSize->text(),
                                            m_keyCount->text());
}

void FormPattern::showBounds()
{
    const WheelGenerator::Plan plan = WheelGenerator::plan(generatorRequest());
    m_lowerBound->setText(boundText(u"下限"_s, plan.ok() ? plan.lowerBound : -1));
    m_bestKnown->setText(boundText(u"既知の最小"_s, plan.ok() ? plan.bestKnown : -1));
    m_lowerBound->setToolTip(plan.ok() ? u"これより少ない枚数では保証できません"_s : plan.warning);
    m_bestKnown->setToolTip(plan.ok() ? QString() : plan.warning);
}

void FormPattern::setGenerating(bool running)
{
    // The request stays as started: its boxes are locked until the run ends.
    for (QWidget *w : std::initializer_list<QWidget *>{m_poolSize, m_keyCount, m_gameChoice, m_seconds, m_generateButton})
        w->setEnabled(!running);
    for (QRadioButton *option : std::as_const(m_tierOptions))
        option->setEnabled(!running);
    m_source->setReadOnly(running);
    m_stopButton->setEnabled(running);
}

void FormPattern::Command5_Click()
{
    if (isGenerating())
        return;
    const PatternFolder::Request request = generatorRequest();
    const WheelGenerator::Plan plan = WheelGenerator::plan(request);
    if (!plan.ok()) {
        Messages::warn(this, plan.warning);
        return;
    }
    const std::optional<qint64> seconds = parseNumber(m_seconds->text());
    if (!seconds || *seconds < 1 || *seconds > kMaxSeconds) {
        Messages::warn(this, u"生成の時間は1から%1までの秒数で入力してください。"_s.arg(kMaxSeconds));
        return;
    }
    const bool started = m_task->start(
        [request, seconds = double(*seconds)](BackgroundTask::Run &run) {
            CoveringSearch::Options options;
            options.seconds = seconds;
            options.cancel = run.cancelFlag();
            options.progress = [&run, seconds](const CoveringSearch::Progress &p) {
                run.setProgress(qint64(p.elapsedSeconds * 1000), qint64(seconds * 1000),
                                u"パターンを生成しています… これまでの最少 %1枚"_s.arg(p.bestSize));
            };
            return WheelGenerator::generate(request, options);
        },
        [this](const WheelGenerator::Result &result) { generatorDone(result); });
    if (!started)
        return;
    setGenerating(true);
    m_progress->setValue(0);
    m_status->setPanelText(1, u"パターンを生成しています…"_s);
}

void FormPattern::Command6_Click()
{
    // The search stops with the best wheel it has found.
    m_task->cancel();
}

void FormPattern::generatorProgress()
{
    const BackgroundTask::Progress progress = m_task->progress();
    m_progress->setValue(progress.percent());
    m_status->setPanelText(1, progress.text);
}

void FormPattern::generatorDone(const WheelGenerator::Result &result)
{
    setGenerating(false);
    const bool produced = result.ok();
    if (produced) {
        m_source->setPlainText(WheelGenerator::sourceLines(result.tickets).join(u'\n') + u'\n');
        // Converted at once: 保存 saves this wheel, not the text converted before.
        convertSource();
        // A cancelled search shows how far it got, not a finished bar.
        m_progress->setValue(result.cancelled ? m_task->percent() : 100);
        const qsizetype size = result.tickets.size();
        m_status->setPanelText(1, result.cancelled
                                      ? u"中止しました。それまでに見つかった%1枚のパターンを入れました。"_s.arg(size)
                                      : u"%1枚のパターンを生成し、変換しました。保存できます。"_s.arg(size));
    } else {
        m_progress->setValue(0);
        m_status->setPanelText(1, u"中止しました。パターンはまだ見つかっていませんでした。"_s);
    }
    Q_EMIT generatorFinished(produced);
}

void FormPattern::closeEvent(QCloseEvent *event)
{
    // Only hidden: texts, summary and a running generator stay for the next opening.
    hide();
    event->ignore();
}

void FormPattern::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Files may have come and gone while the window was hidden; the summary waits for 一覧.
    refreshFiles(m_files->currentItem() ? m_files->currentItem()->data(kFileNameRole).toString() : QString());
}
