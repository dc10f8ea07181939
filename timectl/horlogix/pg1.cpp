#include "horlogix/pg1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
QLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit *makeText(const QString &name, QWidget *parent)
{
    auto *text = new QLineEdit(parent);
    text->setObjectName(name);
    return text;
}
} // namespace

pg1::pg1(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"pg1"_s);
    setWindowTitle(u"PropertyPage1"_s);

    m_isSync = new QCheckBox(u"IsSync"_s, this);
    m_isSync->setObjectName(u"chkIsSync"_s);
    auto *remoteHostLabel = makeLabel(u"lblRemoteHost"_s, u"RemoteHost:"_s, this);
    m_remoteHost = makeText(u"txtRemoteHost"_s, this);
    auto *remotePortLabel = makeLabel(u"lblRemotePort"_s, u"RemotePort:"_s, this);
    m_remotePort = makeText(u"txtRemotePort"_s, this);
    auto *localPortLabel = makeLabel(u"lblLocalPort"_s, u"LocalPort:"_s, this);
    m_localPort = makeText(u"txtLocalPort"_s, this);
    remoteHostLabel->setBuddy(m_remoteHost);
    remotePortLabel->setBuddy(m_remotePort);
    localPortLabel->setBuddy(m_localPort);
    m_remoteHost->setMinimumWidth(200);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_isSync, 0, 0, 1, 2);
    grid->addWidget(remoteHostLabel, 1, 0);
    grid->addWidget(m_remoteHost, 1, 1);
    grid->addWidget(remotePortLabel, 2, 0);
    grid->addWidget(m_remotePort, 2, 1);
    grid->addWidget(localPortLabel, 3, 0);
    grid->addWidget(m_localPort, 3, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);

    connect(m_isSync, &QCheckBox::toggled, this, &pg1::markChanged);
    connect(m_remoteHost, &QLineEdit::textChanged, this, &pg1::markChanged);
    connect(m_remotePort, &QLineEdit::textChanged, this, &pg1::markChanged);
    connect(m_localPort, &QLineEdit::textChanged, this, &pg1::markChanged);

    m_writer = [](QObject *control, const char *name, const QVariant &value) {
        control->setProperty(name, value);
    };
}

void pg1::setSelectedControls(const QList<QObject *> &controls)
{
    m_selected.clear();
    for (QObject *control : controls)
        m_selected.append(control);
    PropertyPage_SelectionChanged();
}

QList<QObject *> pg1::SelectedControls() const
{
    QList<QObject *> controls;
    for (const QPointer<QObject> &control : m_selected) {
        if (control)
            controls.append(control);
    }
    return controls;
}

void pg1::setPropertyWriter(PropertyWriter writer)
{
    m_writer = std::move(writer);
}

void pg1::setChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT ChangedChanged(changed);
}

QObject *pg1::firstControl() const
{
    const QList<QObject *> controls = SelectedControls();
    return controls.isEmpty() ? nullptr : controls.first();
}

void pg1::PropertyPage_SelectionChanged()
{
    QObject *control = firstControl();
    if (!control)
        return;
    // Filling is not an edit: the page only counts as changed once the user touches it.
    m_filling = true;
    m_isSync->setChecked(control->property("IsSync").toBool());
    m_localPort->setText(QString::number(control->property("LocalPort").toInt()));
    m_remotePort->setText(QString::number(control->property("RemotePort").toInt()));
    m_remoteHost->setText(control->property("RemoteHost").toString());
    m_filling = false;
    setChanged(false);
}

bool pg1::PropertyPage_ApplyChanges()
{
    m_applyError.clear();
    QObject *control = firstControl();
    if (!control)
        return true;

    m_writer(control, "IsSync", m_isSync->isChecked());
    const struct
    {
        const char *name;
        const QLineEdit *text;
    } ports[] = {{"LocalPort", m_localPort}, {"RemotePort", m_remotePort}};
    for (const auto &port : ports) {
        const std::optional<qint32> value = toLong(port.text->text());
        if (!value) {
            m_applyError = u"%1: \"%2\" is not a number"_s.arg(QLatin1StringView(port.name),
                                                              port.text->text());
            return false;
        }
        m_writer(control, port.name, *value);
    }
    m_writer(control, "RemoteHost", m_remoteHost->text());
    setChanged(false);
    return true;
}

std::optional<qint32> pg1::toLong(const QString &text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default rounding mode: half to even
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(rounded);
}

void pg1::markChanged()
{
    if (!m_filling)
        setChanged(true);
}
