#include "horlogix/pg1.h"
#include "horlogix/sntp.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPluginLoader>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#ifdef HORLOGIX_HAVE_FORM_EDITOR
#include <QtDesigner/QDesignerComponents>
#endif

#include <memory>

using namespace Qt::StringLiterals;

class TestDesigner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pluginCreatesControl();
    void taskMenuAppliesUndoably();

private:
    QPluginLoader m_loader{QString::fromUtf8(HORLOGIX_DESIGNER_PLUGIN)};
    QDesignerCustomWidgetInterface *m_plugin = nullptr;
};

void TestDesigner::initTestCase()
{
    QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
    m_plugin = qobject_cast<QDesignerCustomWidgetInterface *>(m_loader.instance());
    QVERIFY(m_plugin);
}

void TestDesigner::pluginCreatesControl()
{
    QCOMPARE(m_plugin->name(), u"SNTP"_s);
    QCOMPARE(m_plugin->group(), u"Horlogix"_s);
    QVERIFY(m_plugin->domXml().contains(uR"(<widget class="SNTP")"_s));

    QWidget parent;
    auto *control = qobject_cast<SNTP *>(m_plugin->createWidget(&parent));
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), &parent);
    QCOMPARE(control->size(), QSize(28, 28));
}

void TestDesigner::taskMenuAppliesUndoably()
{
#ifndef HORLOGIX_HAVE_FORM_EDITOR
    QSKIP("Designer's form editor library (Qt6DesignerComponents) is not installed");
#else
    QDesignerComponents::initializeResources();
    std::unique_ptr<QDesignerFormEditorInterface> core(QDesignerComponents::createFormEditor(nullptr));
    core->setPropertyEditor(QDesignerComponents::createPropertyEditor(core.get(), nullptr));
    core->setIntegration(new QDesignerIntegration(core.get(), core.get()));
    m_plugin->initialize(core.get());

    QDesignerFormWindowInterface *form = core->formWindowManager()->createFormWindow();
    form->setMainContainer(new QWidget);
    auto *first = qobject_cast<SNTP *>(m_plugin->createWidget(form->mainContainer()));
    auto *second = qobject_cast<SNTP *>(m_plugin->createWidget(form->mainContainer()));
    first->setIsSync(true);
    first->setRemotePort(123);
    for (SNTP *control : {first, second}) {
        form->manageWidget(control);
        form->selectWidget(control);
    }
    form->setDirty(false);

    auto *menu = qt_extension<QDesignerTaskMenuExtension *>(core->extensionManager(), first);
    QVERIFY(menu);
    QCOMPARE(menu->taskActions().size(), 1);
    QAction *edit = menu->taskActions().first();
    QCOMPARE(edit->text(), u"Edit Properties..."_s);

    bool edited = false;
    QTimer::singleShot(0, this, [&edited] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        auto *page = dialog ? dialog->findChild<pg1 *>() : nullptr;
        QVERIFY(page);
        QCOMPARE(dialog->windowTitle(), u"PropertyPage1"_s);
        QCOMPARE(page->findChild<QLineEdit *>(u"txtRemotePort"_s)->text(), u"123"_s);
        QPushButton *apply = nullptr;
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->text() == u"Apply")
                apply = button;
        }
        QVERIFY(apply && !apply->isEnabled());
        page->findChild<QCheckBox *>(u"chkIsSync"_s)->click();
        page->findChild<QLineEdit *>(u"txtRemoteHost"_s)->setText(u"ntp.example"_s);
        page->findChild<QLineEdit *>(u"txtRemotePort"_s)->setText(u"4123"_s);
        QVERIFY(apply->isEnabled());
        apply->click();
        dialog->reject();
        edited = true;
    });
    edit->trigger();
    QVERIFY(edited);

    QCOMPARE(first->IsSync(), false);
    QCOMPARE(first->RemoteHost(), u"ntp.example"_s);
    QCOMPARE(first->RemotePort(), 4123);
    QCOMPARE(second->RemoteHost(), QString());
    QVERIFY(form->isDirty());

    // One Apply is one undo step.
    form->commandHistory()->undo();
    QCOMPARE(first->IsSync(), true);
    QCOMPARE(first->RemoteHost(), QString());
    QCOMPARE(first->RemotePort(), 123);
#endif
}

QTEST_MAIN(TestDesigner)
#include "tst_designer.moc"
