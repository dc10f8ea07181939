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

    m_chkIsSync = new QCheckBox(u"IsSync"_s, this);
    m_chkIsSync->setObjectName(u"chkIsSync"_s);
    m_lblRemoteHost = makeLabel(u"lblRemoteHost"_s, u"RemoteHost:"_s, this);
    m_txtRemoteHost = makeText(u"txtRemoteHost"_s, this);
    m_lblRemotePort = makeLabel(u"lblRemotePort"_s, u"RemotePort:"_s, this);
    m_txtRemotePort = makeText(u"txtRemotePort"_s, this);
    m_lblLocalPort = makeLabel(u"lblLocalPort"_s, u"LocalPort:"_s, this);
    m_txtLocalPort = makeText(u"txtLocalPort"_s, this);
    m_lblRemoteHost->setBuddy(m_txtRemoteHost);
    m_lblRemotePort->setBuddy(m_txtRemotePort);
    m_lblLocalPort->setBuddy(m_txtLocalPort);
    m_txtRemoteHost->setMinimumWidth(200);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_chkIsSync, 0, 0, 1, 2);
    grid->addWidget(m_lblRemoteHost, 1, 0);
    grid->addWidget(m_txtRemoteHost, 1, 1);
    grid->addWidget(m_lblRemotePort, 2, 0);
    grid->addWidget(m_txtRemotePort, 2, 1);
    grid->addWidget(m_lblLocalPort, 3, 0);
    grid->addWidget(m_txtLocalPort, 3, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);

    connect(m_chkIsSync, &QCheckBox::toggled, this, &pg1::chkIsSync_Click);
    connect(m_txtRemoteHost, &QLineEdit::textChanged, this, &pg1::txtRemoteHost_Change);
    connect(m_txtRemotePort, &QLineEdit::textChanged, this, &pg1::txtRemotePort_Change);
    connect(m_txtLocalPort, &QLineEdit::textChanged, this, &pg1::txtLocalPort_Change);

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
    m_chkIsSync->setChecked(control->property("IsSync").toBool());
    m_txtLocalPort->setText(QString::number(control->property("LocalPort").toInt()));
    m_txtRemotePort->setText(QString::number(control->property("RemotePort").toInt()));
    m_txtRemoteHost->setText(control->property("RemoteHost").toString());
    m_filling = false;
    setChanged(false);
}

bool pg1::PropertyPage_ApplyChanges()
{
    m_applyError.clear();
    QObject *control = firstControl();
    if (!control)
        return true;

    m_writer(control, "IsSync", m_chkIsSync->isChecked());
    const struct
    {
        const char *name;
        const QLineEdit *text;
    } ports[] = {{"LocalPort", m_txtLocalPort}, {"RemotePort", m_txtRemotePort}};
    for (const auto &port : ports) {
        const std::optional<qint32> value = toLong(port.text->text());
        if (!value) {
            m_applyError = u"%1: \"%2\" is not a number"_s.arg(QLatin1StringView(port.name),
                                                              port.text->text());
            return false;
        }
        m_writer(control, port.name, *value);
    }
    m_writer(control, "RemoteHost", m_txtRemoteHost->text());
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

void pg1::chkIsSync_Click()
{
    if (!m_filling)
        setChanged(true);
}

void pg1::txtRemoteHost_Change()
{
    if (!m_filling)
        setChanged(true);
}

void pg1::txtRemotePort_Change()
{
    if (!m_filling)
        setChanged(true);
}

void pg1::txtLocalPort_Change()
{
    if (!m_filling)
        setChanged(true);
}
