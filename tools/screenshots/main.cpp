#include "shots.h"

#include "allfeatures.h"
#include "core/formmain.h"
#include "core/messages.h"
#include "core/program.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

void saveShot(QWidget *window, const QString &dir, const QString &name)
{
    window->show();
    QTest::qWait(50);
    const QString path = QDir(dir).filePath(name + u".png"_s);
    if (!window->grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: zemvara-screenshots DIR DATA_DIR\n");
        return 2;
    }
    const QString dir = args[1];
    const QDir data(args[2]);
    // Nobody is there to answer.
    Messages::setResponder([](const Messages::Request &r) {
        std::fprintf(stderr, "message: %s\n", qPrintable(r.text));
        return QMessageBox::Ok;
    });

    Program program(allFeatures());
    for (const auto &[file, prefix] : {std::pair{u"LOTO6_Download.csv"_s, u"loto6-"_s},
                                       std::pair{u"miniLOTO_Download.csv"_s, u"miniloto-"_s}}) {
        FormMain main(program);
        main.resize(1100, 640);
        if (!main.loadFile(data.filePath(file)))
            return 1;
        const QString sub = QDir(dir).filePath(prefix.chopped(1));
        QDir().mkpath(sub);
        shootCore(main, sub);
        shootGraphs(main, sub);
        shootLookups(main, sub);
        shootTally(main, sub);
        shootCombinations(main, sub);
        shootPatterns(main, sub);
        shootPurchases(main, sub);
        shootBackTest(main, sub);
    }
    // The help and the version box are the program's own: shot once.
    FormMain main(program);
    shootAbout(main, dir);
    shootUpdates(main, dir);
    return 0;
}
