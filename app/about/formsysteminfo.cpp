#include "about/formsysteminfo.h"

#include "core/appfiles.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSysInfo>
#include <QThread>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The first value of a "key : value" line of a /proc file; empty where there is none.
QString procValue(const QString &file, const QString &key)
{
    const AppFiles::ReadResult read = AppFiles::readFile(file, 1024 * 1024);
    if (!read.ok())
        return {};
    const QRegularExpression line(u"^"_s + QRegularExpression::escape(key) + u"\\s*:\\s*(.+)$"_s,
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(read.bytes)).captured(1).trimmed();
}

QString memoryText()
{
    // "16318468 kB"
    const QString total = procValue(u"/proc/meminfo"_s, u"MemTotal"_s);
    const qint64 kib = total.section(u' ', 0, 0).toLongLong();
    return kib > 0 ? u"%1 GiB"_s.arg(double(kib) / (1024.0 * 1024.0), 0, 'f', 1) : u"不明"_s;
}
} // namespace

QString FormSystemInfo::summary()
{
    QStringList lines;
    lines << u"プログラム: %1 %2"_s.arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
    lines << u"OS: %1"_s.arg(QSysInfo::prettyProductName());
    lines << u"カーネル: %1 %2"_s.arg(QSysInfo::kernelType(), QSysInfo::kernelVersion());
    lines << u"Qt: %1（ビルド時 %2）"_s.arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
    QString cpu = procValue(u"/proc/cpuinfo"_s, u"model name"_s);
    if (cpu.isEmpty())
        cpu = QSysInfo::currentCpuArchitecture();
    lines << u"CPU: %1"_s.arg(cpu);
    lines << u"コア数: %1"_s.arg(QThread::idealThreadCount());
    lines << u"メモリ: %1"_s.arg(memoryText());
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QScreen *s = screens[i];
        lines << u"画面 %1: %2×%3（作業領域 %4×%5）、倍率 %6、%7 dpi"_s.arg(i + 1)
                     .arg(s->geometry().width())
                     .arg(s->geometry().height())
                     .arg(s->availableGeometry().width())
                     .arg(s->availableGeometry().height())
                     .arg(s->devicePixelRatio())
                     .arg(qRound(s->logicalDotsPerInch()));
    }
    lines << u"表示方式: %1"_s.arg(QGuiApplication::platformName());
    return lines.join(u'\n');
}

FormSystemInfo::FormSystemInfo(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"FormSystemInfo"_s);
    setWindowTitle(u"システム情報"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(summary(), this);
    m_text->setObjectName(u"Text1"_s);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_text, 1);
    auto *buttons = new QHBoxLayout;
    auto *copy = new QPushButton(u"コピー"_s, this);
    copy->setObjectName(u"Command1"_s);
    auto *close = new QPushButton(u"閉じる"_s, this);
    close->setObjectName(u"Command2"_s);
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(text()); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(560, 300);
}

QString FormSystemInfo::text() const
{
    return m_text->toPlainText();
}
