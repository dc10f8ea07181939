#include "sntptaskmenu.h"

#include "horlogix/pg1.h"
#include "horlogix/sntp.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

using namespace Qt::StringLiterals;

Pg1Dialog::Pg1Dialog(const QList<QObject *> &selection, QDesignerFormWindowInterface *formWindow,
                     QWidget *parent)
    : QDialog(parent), m_formWindow(formWindow)
{
    setObjectName(u"Pg1Dialog"_s);
    m_page = new pg1(this);
    setWindowTitle(m_page->windowTitle());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_apply = new QPushButton(u"Apply"_s, buttons);
    m_apply->setEnabled(false);
    buttons->addButton(m_apply, QDialogButtonBox::ApplyRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    layout->addWidget(buttons);

    if (m_formWindow) {
        const QPointer<QDesignerFormWindowInterface> form(m_formWindow);
        m_page->setPropertyWriter([form](QObject *control, const char *name, const QVariant &value) {
            auto *widget = qobject_cast<QWidget *>(control);
            QDesignerFormWindowInterface *window = form.data();
            QDesignerFormWindowCursorInterface *cursor = window && widget ? window->cursor() : nullptr;
            if (cursor)
                cursor->setWidgetProperty(widget, QString::fromLatin1(name), value);
            else
                control->setProperty(name, value);
        });
    }
    m_page->setSelectedControls(selection);

    connect(m_page, &pg1::ChangedChanged, m_apply, &QPushButton::setEnabled);
    connect(m_apply, &QPushButton::clicked, this, &Pg1Dialog::apply);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!m_page->Changed() || apply())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool Pg1Dialog::apply()
{
    if (m_formWindow)
        m_formWindow->beginCommand(u"Edit SNTP properties"_s);
    const bool ok = m_page->PropertyPage_ApplyChanges();
    if (m_formWindow)
        m_formWindow->endCommand();
    if (!ok)
        QMessageBox::warning(this, windowTitle(), m_page->applyError());
    return ok;
}

SntpTaskMenu::SntpTaskMenu(SNTP *control, QObject *parent)
    : QObject(parent), m_control(control),
      m_editAction(new QAction(u"Edit Properties..."_s, this))
{
    connect(m_editAction, &QAction::triggered, this, &SntpTaskMenu::editProperties);
}

QAction *SntpTaskMenu::preferredEditAction() const
{
    return m_editAction;
}

QList<QAction *> SntpTaskMenu::taskActions() const
{
    return {m_editAction};
}

QList<QObject *> SntpTaskMenu::selection() const
{
    QList<QObject *> controls{m_control};
    QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(m_control);
    if (!form)
        return controls;
    QDesignerFormWindowCursorInterface *cursor = form->cursor();
    for (int i = 0; i < cursor->selectedWidgetCount(); ++i) {
        QWidget *widget = cursor->selectedWidget(i);
        if (widget != m_control && qobject_cast<SNTP *>(widget))
            controls.append(widget);
    }
    return controls;
}

void SntpTaskMenu::editProperties()
{
    QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(m_control);
    Pg1Dialog dialog(selection(), form, form ? form : m_control->window());
    dialog.exec();
}

SntpTaskMenuFactory::SntpTaskMenuFactory(QExtensionManager *parent) : QExtensionFactory(parent) {}

QObject *SntpTaskMenuFactory::createExtension(QObject *object, const QString &iid, QObject *parent) const
{
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    if (auto *control = qobject_cast<SNTP *>(object))
        return new SntpTaskMenu(control, parent);
    return nullptr;
}
