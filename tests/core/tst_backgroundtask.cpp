#include "core/backgroundtask.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// What the test does while the run waits for it.
enum class Step { Release, Cancel, DestroyOwner, StartAgain, DropAndStart, Fail };

// Shared by the work and the test, so the test can watch a run whose owner is gone.
struct Probe
{
    std::atomic<bool> release{false};
    std::atomic<bool> fail{false};
    std::atomic<bool> ended{false};
    std::atomic<bool> sawCancel{false};
};
} // namespace

Q_DECLARE_METATYPE(Step)

class TestBackgroundTask : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rules_data();
    void rules();
};

void TestBackgroundTask::rules_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QList<int>>("delivered");  // results that reached the owner
    QTest::addColumn<QString>("error");
    QTest::newRow("runs to its end") << Step::Release << QList<int>{42} << QString();
    QTest::newRow("cancel: the work ends as it decides") << Step::Cancel << QList<int>{-1} << QString();
    QTest::newRow("owner destroyed: dropped, not waited for") << Step::DestroyOwner << QList<int>{} << QString();
    QTest::newRow("second start refused") << Step::StartAgain << QList<int>{42} << QString();
    QTest::newRow("dropped and started again") << Step::DropAndStart << QList<int>{42} << QString();
    QTest::newRow("error instead of the result") << Step::Fail << QList<int>{} << u"disk full"_s;
}

void TestBackgroundTask::rules()
{
    QFETCH(Step, step);
    QFETCH(QList<int>, delivered);
    QFETCH(QString, error);

    // The work only looks at the cancel flag once released: a wait for it would hang here.
    auto probe = std::make_shared<Probe>();
    const auto work = [probe](BackgroundTask::Run &run) {
        run.setProgress(1, 4, u"waiting"_s);
        while (!probe->release)
            QThread::msleep(1);
        probe->sawCancel = run.isCancelled();
        if (probe->fail)
            run.fail(u"disk full"_s);
        probe->ended = true;
        return run.isCancelled() ? -1 : 42;
    };
    QList<int> results;
    QList<QThread *> threads;
    const auto deliver = [&](int result) {
        results.append(result);
        threads.append(QThread::currentThread());
    };

    auto task = std::make_unique<BackgroundTask>();
    QSignalSpy finished(task.get(), &BackgroundTask::finished);
    QSignalSpy progressed(task.get(), &BackgroundTask::progressChanged);
    QVERIFY(task->start(work, deliver));
    QTRY_COMPARE(progressed.size(), 1);
    QCOMPARE(task->percent(), 25);
    QCOMPARE(task->progress().text, u"waiting"_s);

    switch (step) {
    case Step::Release:
        break;
    case Step::Cancel:
        task->cancel();
        QVERIFY(task->isRunning());
        break;
    case Step::DestroyOwner:
        task.reset();
        break;
    case Step::StartAgain:
        QVERIFY(!task->start(work, deliver));
        break;
    case Step::DropAndStart:
        task->drop();
        QVERIFY(!task->isRunning());
        QVERIFY(task->start(work, deliver));
        break;
    case Step::Fail:
        probe->fail = true;
        break;
    }
    QVERIFY(!probe->ended);
    probe->release = true;
    QTRY_VERIFY(probe->ended);
    if (task) {
        QTRY_COMPARE(finished.size(), 1);
        QVERIFY(!task->isRunning());
        QCOMPARE(task->error(), error);
    } else {
        QVERIFY(probe->sawCancel);
    }
    // Whatever a dropped run might still send has arrived by now.
    QTest::qWait(50);
    QCOMPARE(finished.size(), task ? 1 : 0);
    QCOMPARE(results, delivered);
    QCOMPARE(threads, QList<QThread *>(delivered.size(), QThread::currentThread()));
}

QTEST_GUILESS_MAIN(TestBackgroundTask)
#include "tst_backgroundtask.moc"
