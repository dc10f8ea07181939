#include "horlogix/pg1.h"
#include "horlogix/sntp.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
std::unique_ptr<SNTP> makeControl(const QString &host, int remote, int local, bool sync)
{
    auto control = std::make_unique<SNTP>();
    control->setRemoteHost(host);
    control->setRemotePort(remote);
    control->setLocalPort(local);
    control->setIsSync(sync);
    return control;
}

struct Page
{
    pg1 page;
    QCheckBox *chkIsSync = page.findChild<QCheckBox *>(u"chkIsSync"_s);
    QLineEdit *txtRemoteHost = page.findChild<QLineEdit *>(u"txtRemoteHost"_s);
    QLineEdit *txtRemotePort = page.findChild<QLineEdit *>(u"txtRemotePort"_s);
    QLineEdit *txtLocalPort = page.findChild<QLineEdit *>(u"txtLocalPort"_s);
};
} // namespace

class TestPg1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsAndCaptions();
    void fillsFromFirstSelected();
    void editsMarkChanged();
    void appliesInOrderToFirstOnly();
    void badPortStopsApply_data();
    void badPortStopsApply();
};

void TestPg1::controlsAndCaptions()
{
    Page p;
    QCOMPARE(p.page.windowTitle(), u"PropertyPage1"_s);
    QVERIFY(p.chkIsSync && p.txtRemoteHost && p.txtRemotePort && p.txtLocalPort);
    QCOMPARE(p.chkIsSync->text(), u"IsSync"_s);
    for (const QString &name : {u"RemoteHost"_s, u"RemotePort"_s, u"LocalPort"_s}) {
        auto *label = p.page.findChild<QLabel *>(u"lbl"_s + name);
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), name + u':');
        QCOMPARE(label->buddy(), p.page.findChild<QLineEdit *>(u"txt"_s + name));
    }
}

void TestPg1::fillsFromFirstSelected()
{
    Page p;
    const auto first = makeControl(u"ntp.one"_s, 123, 1024, true);
    const auto second = makeControl(u"ntp.two"_s, 9123, 2048, false);
    p.page.setSelectedControls({first.get(), second.get()});
    QVERIFY(p.chkIsSync->isChecked());
    QCOMPARE(p.txtRemoteHost->text(), u"ntp.one"_s);
    QCOMPARE(p.txtRemotePort->text(), u"123"_s);
    QCOMPARE(p.txtLocalPort->text(), u"1024"_s);
    QVERIFY(!p.page.Changed());

    p.page.setSelectedControls({second.get(), first.get()});
    QVERIFY(!p.chkIsSync->isChecked());
    QCOMPARE(p.txtRemotePort->text(), u"9123"_s);
    QCOMPARE(p.txtLocalPort->text(), u"2048"_s);
    QVERIFY(!p.page.Changed());
}

void TestPg1::editsMarkChanged()
{
    const auto control = makeControl(u"h"_s, 1, 2, true);
    Page p;
    p.page.setSelectedControls({control.get()});
    QSignalSpy spy(&p.page, &pg1::ChangedChanged);
    p.chkIsSync->click();
    QVERIFY(p.page.Changed());
    QVERIFY(p.page.PropertyPage_ApplyChanges());
    QVERIFY(!p.page.Changed());
    QCOMPARE(control->IsSync(), false);

    for (QLineEdit *text : {p.txtRemoteHost, p.txtRemotePort, p.txtLocalPort}) {
        QTest::keyClick(text, Qt::Key_5);
        QVERIFY(p.page.Changed());
        p.page.setChanged(false);
    }
    QCOMPARE(spy.size(), 8);
}

void TestPg1::appliesInOrderToFirstOnly()
{
    Page p;
    const auto first = makeControl(u"ntp.one"_s, 123, 1024, false);
    const auto second = makeControl(u"ntp.two"_s, 9123, 2048, false);
    QStringList writes;
    p.page.setPropertyWriter([&](QObject *control, const char *name, const QVariant &value) {
        QCOMPARE(control, first.get());
        writes.append(QString::fromLatin1(name));
        control->setProperty(name, value);
    });
    p.page.setSelectedControls({first.get(), second.get()});
    p.chkIsSync->setChecked(true);
    p.txtRemoteHost->setText(u"127.0.0.1"_s);
    p.txtRemotePort->setText(u" 12323 "_s);
    p.txtLocalPort->setText(u"40000"_s);

    QVERIFY(p.page.PropertyPage_ApplyChanges());
    QCOMPARE(writes, (QStringList{u"IsSync"_s, u"LocalPort"_s, u"RemotePort"_s, u"RemoteHost"_s}));
    QCOMPARE(first->IsSync(), true);
    QCOMPARE(first->RemoteHost(), u"127.0.0.1"_s);
    QCOMPARE(first->RemotePort(), 12323);
    QCOMPARE(first->LocalPort(), 40000);
    QCOMPARE(second->IsSync(), false);
    QCOMPARE(second->RemoteHost(), u"ntp.two"_s);
}

void TestPg1::badPortStopsApply_data()
{
    QTest::addColumn<QString>("localText");
    QTest::addColumn<QString>("remoteText");
    QTest::addColumn<int>("local");
    QTest::addColumn<int>("remote");
    QTest::addColumn<QString>("failing");

    // The failing port and everything after it keep their old values (11, 22, "old").
    QTest::newRow("local port") << u"abc"_s << u"99"_s << 11 << 22 << u"LocalPort"_s;
    QTest::newRow("empty local port") << u""_s << u"99"_s << 11 << 22 << u"LocalPort"_s;
    QTest::newRow("remote port") << u"88"_s << u"9x"_s << 88 << 22 << u"RemotePort"_s;
    QTest::newRow("remote port beyond 32 bits") << u"88"_s << u"2147483648"_s << 88 << 22 << u"RemotePort"_s;
}

void TestPg1::badPortStopsApply()
{
    QFETCH(QString, localText);
    QFETCH(QString, remoteText);
    QFETCH(int, local);
    QFETCH(int, remote);
    QFETCH(QString, failing);

    Page p;
    const auto control = makeControl(u"old"_s, 22, 11, false);
    p.page.setSelectedControls({control.get()});
    p.chkIsSync->setChecked(true);
    p.txtLocalPort->setText(localText);
    p.txtRemotePort->setText(remoteText);
    p.txtRemoteHost->setText(u"new"_s);

    QVERIFY(!p.page.PropertyPage_ApplyChanges());
    QVERIFY2(p.page.applyError().startsWith(failing), qPrintable(p.page.applyError()));
    QVERIFY(p.page.Changed());
    QCOMPARE(control->IsSync(), true);
    QCOMPARE(control->LocalPort(), local);
    QCOMPARE(control->RemotePort(), remote);
    QCOMPARE(control->RemoteHost(), u"old"_s);
}

QTEST_MAIN(TestPg1)
#include "tst_pg1.moc"
