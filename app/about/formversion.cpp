#include "about/formversion.h"

#include "about/programicon.h"
#include "about/systeminfo.h"
#include "about/versioninfo.h"
#include "core/controlarray.h"
#include "core/messages.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int kTickMs = 10;
constexpr int kIconSize = 32;

QFrame *separator(QWidget *parent, int index)
{
    auto *line = new QFrame(parent);
    setControlIndex(line, u"Line1"_s, index);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}
} // namespace

FormVersion::FormVersion(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"FormVersion"_s);
    setWindowIcon(programIcon());

    QLayout *heading = buildHeading();
    QLayout *contact = buildContact();
    QLayout *bottom = buildDisclaimerAndButtons();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(separator(this, 0));
    layout->addLayout(contact);
    layout->addWidget(separator(this, 1));
    layout->addLayout(bottom);

    m_timer = new QTimer(this);
    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &FormVersion::Timer1_Timer);
    auto *escape = new QShortcut(Qt::Key_Escape, this);
    connect(escape, &QShortcut::activated, this, &FormVersion::cmdOK_Click);

    Form_Load();
    // The wrapped texts decide the height: ask the layout for the width the box opens with.
    constexpr int kWidth = 560;
    resize(kWidth, layout->totalHeightForWidth(kWidth));
}

QLayout *FormVersion::buildHeading()
{
    // The icon bounces inside a well of its own, clear of the texts.
    auto *well = new QWidget(this);
    well->setObjectName(u"iconWell"_s);
    const QPoint lowest = VersionInfo::iconPosition(1);
    well->setFixedSize(lowest.x() + kIconSize + 8, lowest.y() + kIconSize + 2);
    m_icon = label(well, u"picIcon"_s, {});
    m_icon->setPixmap(programIcon().pixmap(kIconSize, kIconSize));
    m_icon->setFixedSize(kIconSize, kIconSize);
    m_icon->move(VersionInfo::iconPosition(0));

    QLabel *title = label(this, u"lblTitle"_s, u"ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ"_s);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    QLabel *version = label(this, u"lblVersion"_s, {});
    QLabel *description = label(this, u"lblDescription"_s,
                                u"Zemvara プロジェクト ― LOTO6・miniLOTO の抽選結果を解析するツール"_s);
    description->setWordWrap(true);

    auto *heading = new QGridLayout;
    heading->addWidget(well, 0, 0, 3, 1, Qt::AlignTop);
    heading->addWidget(title, 0, 1);
    heading->addWidget(version, 1, 1);
    heading->addWidget(description, 2, 1);
    heading->setColumnStretch(1, 1);
    return heading;
}

QLayout *FormVersion::buildContact()
{
    QLabel *mailLabel = label(this, u"Label1"_s, u"メールアドレス"_s);
    auto *mail = new QLineEdit(VersionInfo::contactAddress(), this);
    mail->setObjectName(u"Text1"_s);
    mail->setReadOnly(true);
    mailLabel->setBuddy(mail);

    auto *contact = new QHBoxLayout;
    contact->addWidget(mailLabel);
    contact->addWidget(mail, 1);
    return contact;
}

QLayout *FormVersion::buildDisclaimerAndButtons()
{
    QLabel *disclaimer = label(this, u"lblDisclaimer"_s,
                               u"警告: LOTO6・miniLOTO の当選番号は毎回無作為の抽選で決まります。"
                               u"過去の抽選結果をどのように集計・解析しても、次の当選番号を予測することはできず、"
                               u"当選の見込みが上がることもありません。このプログラムの表示は過去の記録の整理であり、"
                               u"当選を約束するものではありません。くじの購入はご自身の判断と責任で、無理のない範囲で行ってください。"
                               u"このプログラムの使用によって生じたいかなる損害についても、Zemvara プロジェクトは責任を負いません。"_s);
    disclaimer->setWordWrap(true);
    QFont small = disclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    disclaimer->setFont(small);

    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FormVersion::cmdOK_Click);
    auto *sysInfo = new QPushButton(u"ｼｽﾃﾑ情報(&S)..."_s, this);
    sysInfo->setObjectName(u"cmdSysInfo"_s);
    connect(sysInfo, &QPushButton::clicked, this, &FormVersion::cmdSysInfo_Click);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    bottom->addSpacing(8);
    bottom->addLayout(buttons);
    return bottom;
}

void FormVersion::Form_Load()
{
    const QString title = Messages::caption();
    setWindowTitle(title + u"のﾊﾞｰｼﾞｮﾝ情報"_s);
    findChild<QLabel *>(u"lblTitle"_s)->setText(title);
    findChild<QLabel *>(u"lblVersion"_s)->setText(VersionInfo::versionText(VersionInfo::build()));
}

void FormVersion::Timer1_Timer()
{
    ++m_ticks;
    m_icon->move(VersionInfo::iconPosition(m_ticks));
}

void FormVersion::cmdOK_Click()
{
    close();
}

void FormVersion::cmdSysInfo_Click()
{
    SystemInfo::start(this);
}

void FormVersion::showEvent(QShowEvent *event)
{
    // Every showing starts the bounce afresh, as a newly loaded box would.
    m_ticks = 0;
    m_icon->move(VersionInfo::iconPosition(0));
    m_timer->start();
    QWidget::showEvent(event);
}

void FormVersion::hideEvent(QHideEvent *event)
{
    m_timer->stop();
    QWidget::hideEvent(event);
}
