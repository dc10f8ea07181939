// horlogix-demo: a small window hosting the SNTP control. Its settings are kept between runs
// through the control's saved state in QSettings.
#include "horlogix/datetime.h"
#include "horlogix/pg1.h"
#include "horlogix/sntp.h"

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
const auto kSettingsGroup = u"SNTP1"_s;

PropertyBag loadBag(QSettings &settings)
{
    PropertyBag bag;
    settings.beginGroup(kSettingsGroup);
    for (const QString &key : settings.childKeys())
        bag.insert(key, settings.value(key));
    settings.endGroup();
    return bag;
}

void saveBag(QSettings &settings, const PropertyBag &bag)
{
    settings.beginGroup(kSettingsGroup);
    for (auto it = bag.cbegin(); it != bag.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.endGroup();
}

QString describe(double date)
{
    return horlogix::dateToDateTime(date).toString(u"yyyy/MM/dd HH:mm:ss"_s)
        + u"   (%1)"_s.arg(date, 0, 'f', 6);
}

class DemoWindow : public QWidget
{
public:
    // Without persistence the window starts from the defaults and saves nothing.
    explicit DemoWindow(bool persist) : m_persist(persist)
    {
        setWindowTitle(u"Horlogix demo"_s);
        m_sntp = new SNTP(this);
        m_sntp->setObjectName(u"SNTP1"_s);
        m_host = new QLineEdit(this);
        m_remotePort = new QSpinBox(this);
        m_remotePort->setRange(0, 65535);
        m_localPort = new QSpinBox(this);
        m_localPort->setRange(0, 65535);
        m_sync = new QCheckBox(u"Wait for the reply (IsSync)"_s, this);
        m_timeout = new QSpinBox(this);
        m_timeout->setRange(0, 600000);
        m_timeout->setSingleStep(500);
        m_timeout->setSuffix(u" ms"_s);
        auto *get = new QPushButton(u"Get server time"_s, this);
        m_status = new QLabel(this);
        m_status->setWordWrap(true);
        m_times = new QListWidget(this);

        auto *title = new QLabel(u"SNTP control (the time is shown in JST; the computer's clock "
                                 "is never changed)"_s, this);
        title->setWordWrap(true);
        auto *top = new QHBoxLayout;
        top->addWidget(m_sntp, 0, Qt::AlignTop);
        top->addWidget(title, 1);

        auto *form = new QFormLayout;
        form->addRow(u"Remote host:"_s, m_host);
        form->addRow(u"Remote port:"_s, m_remotePort);
        form->addRow(u"Local port:"_s, m_localPort);
        form->addRow(QString(), m_sync);
        form->addRow(u"Time-out:"_s, m_timeout);

        auto *layout = new QVBoxLayout(this);
        layout->addLayout(top);
        layout->addLayout(form);
        layout->addWidget(get);
        layout->addWidget(m_status);
        layout->addWidget(new QLabel(u"Times received:"_s, this));
        layout->addWidget(m_times, 1);
        resize(420, 420);

        PropertyBag bag;
        if (m_persist) {
            QSettings settings;
            bag = loadBag(settings);
        }
        m_sntp->ReadProperties(bag);
        if (m_sntp->RemoteHost().isEmpty())
            m_sntp->setRemoteHost(u"127.0.0.1"_s);
        showSettings();

        connect(get, &QPushButton::clicked, this, &DemoWindow::getTime);
        connect(m_sntp, &SNTP::GotServerTime, this, [this](double &date) {
            m_times->insertItem(0, describe(date));
        });
    }

    SNTP *control() const { return m_sntp; }

    ~DemoWindow() override
    {
        if (!m_persist)
            return;
        takeSettings();
        PropertyBag bag;
        m_sntp->WriteProperties(bag);
        QSettings settings;
        saveBag(settings, bag);
    }

private:
    void showSettings()
    {
        m_host->setText(m_sntp->RemoteHost());
        m_remotePort->setValue(m_sntp->RemotePort());
        m_localPort->setValue(m_sntp->LocalPort());
        m_sync->setChecked(m_sntp->IsSync());
        m_timeout->setValue(m_sntp->TimeoutMs());
    }

    void takeSettings()
    {
        m_sntp->setRemoteHost(m_host->text());
        m_sntp->setRemotePort(m_remotePort->value());
        m_sntp->setLocalPort(m_localPort->value());
        m_sntp->setIsSync(m_sync->isChecked());
        m_sntp->setTimeoutMs(m_timeout->value());
    }

    void getTime()
    {
        takeSettings();
        m_status->setText(m_sntp->IsSync() ? u"Waiting for the reply..."_s : u"Request sent."_s);
        const double date = m_sntp->GetServerTime();
        if (m_sntp->lastError() != SNTP::Error::None)
            m_status->setText(u"Failed: "_s + m_sntp->errorString());
        else if (m_sntp->IsSync())
            m_status->setText(u"GetServerTime returned "_s + describe(date));
        else
            m_status->setText(u"Request sent; the time arrives through GotServerTime."_s);
    }

    bool m_persist;
    SNTP *m_sntp;
    QLineEdit *m_host;
    QSpinBox *m_remotePort;
    QSpinBox *m_localPort;
    QCheckBox *m_sync;
    QSpinBox *m_timeout;
    QLabel *m_status;
    QListWidget *m_times;
};
} // namespace

int main(int argc, char *argv[])
{
    // Screenshots need no display.
    for (int i = 1; i < argc; ++i) {
        if (qstrncmp(argv[i], "--screenshot", 12) == 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"Zemvara"_s);
    QCoreApplication::setApplicationName(u"horlogix-demo"_s);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(u"screenshot"_s,
                                        u"Save demo.png and pg1.png to DIR and quit."_s, u"DIR"_s);
    parser.addOption(screenshot);
    parser.process(app);

    DemoWindow window(!parser.isSet(screenshot));
    if (!parser.isSet(screenshot)) {
        window.show();
        return app.exec();
    }

    const QDir dir(parser.value(screenshot));
    if (!dir.mkpath(u"."_s)) {
        std::fprintf(stderr, "horlogix-demo: cannot create the screenshot folder\n");
        return 1;
    }
    window.show();
    pg1 page;
    page.setSelectedControls({window.control()});
    page.show();
    QCoreApplication::processEvents();
    const bool saved = window.grab().save(dir.filePath(u"demo.png"_s))
        && page.grab().save(dir.filePath(u"pg1.png"_s));
    return saved ? 0 : 1;
}
