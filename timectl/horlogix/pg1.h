#pragma once

#include "horlogix/horlogix_global.h"

#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;

// The design-time property page of the SNTP control ("PropertyPage1"): edits IsSync,
// RemoteHost, RemotePort and LocalPort of the first selected control. A designer host hands it
// the selection, watches Changed to offer Apply, and may route the writes through its own
// property system (for undo) with setPropertyWriter.
class HORLOGIX_EXPORT pg1 : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Changed READ Changed WRITE setChanged NOTIFY ChangedChanged)

public:
    // Writes one property of a control; the default calls QObject::setProperty.
    using PropertyWriter = std::function<void(QObject *control, const char *name, const QVariant &value)>;

    explicit pg1(QWidget *parent = nullptr);

    // Replaces the selection and fills the page from its first control.
    void setSelectedControls(const QList<QObject *> &controls);
    QList<QObject *> SelectedControls() const;
    void setPropertyWriter(PropertyWriter writer);

    bool Changed() const { return m_changed; }
    void setChanged(bool changed);

    void PropertyPage_SelectionChanged();
    // Writes IsSync, LocalPort, RemotePort and RemoteHost, in that order, to the first selected
    // control. A port text that is not a 32-bit number stops there, leaving what came before it
    // written: returns false and applyError() tells which. Changed is cleared on success.
    bool PropertyPage_ApplyChanges();
    QString applyError() const { return m_applyError; }

    // The conversion a port text goes through: blanks around a decimal number allowed,
    // fractions rounded half to even; nothing when it is not a number or out of range.
    static std::optional<qint32> toLong(const QString &text);

Q_SIGNALS:
    void ChangedChanged(bool changed);

private:
    // Any edit of a box by the user (not the page filling itself) lets the host offer Apply.
    void markChanged();
    QObject *firstControl() const;

    QCheckBox *m_isSync = nullptr;
    QLineEdit *m_remoteHost = nullptr;
    QLineEdit *m_remotePort = nullptr;
    QLineEdit *m_localPort = nullptr;

    QList<QPointer<QObject>> m_selected;
    PropertyWriter m_writer;
    bool m_changed = false;
    bool m_filling = false;
    QString m_applyError;
};
