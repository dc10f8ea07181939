#pragma once

#include <QDialog>
#include <QObject>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class QAction;
class QDesignerFormWindowInterface;
class QPushButton;
class SNTP;
class pg1;

// The property page in a dialog with OK, Cancel and Apply. With a form window, every write goes
// through the form's cursor, so the form is marked dirty and one Apply is one undo step.
class Pg1Dialog : public QDialog
{
    Q_OBJECT
public:
    Pg1Dialog(const QList<QObject *> &selection, QDesignerFormWindowInterface *formWindow,
              QWidget *parent = nullptr);

    pg1 *page() const { return m_page; }
    QPushButton *applyButton() const { return m_apply; }
    // Applies the page; on failure tells the user and returns false.
    bool apply();

private:
    QDesignerFormWindowInterface *m_formWindow;
    pg1 *m_page = nullptr;
    QPushButton *m_apply = nullptr;
};

// The "Edit Properties..." entry of an SNTP control's context menu in Designer.
class SntpTaskMenu : public QObject, public QDesignerTaskMenuExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    SntpTaskMenu(SNTP *control, QObject *parent);

    QAction *preferredEditAction() const override;
    QList<QAction *> taskActions() const override;

    // The controls the page works on: this one first, then the other selected SNTP controls.
    QList<QObject *> selection() const;

private:
    void editProperties();

    SNTP *m_control;
    QAction *m_editAction;
};

class SntpTaskMenuFactory : public QExtensionFactory
{
    Q_OBJECT
public:
    explicit SntpTaskMenuFactory(QExtensionManager *parent = nullptr);

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};
