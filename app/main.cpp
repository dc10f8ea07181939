#include "core/formmain.h"
#include "core/program.h"
#include "about/programicon.h"
#include "allfeatures.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QTimer>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Zemvara"_s);
    QApplication::setApplicationVersion(QStringLiteral(ZEMVARA_VERSION));

    // The program speaks Japanese: so do Qt's own dialogs and standard buttons.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), u"qtbase"_s, u"_"_s,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Analysis of LOTO6 and miniLOTO draw results"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(u"file"_s, u"Draw-result file to load at start-up."_s, u"[FILE]"_s);
    parser.process(app);

    QApplication::setWindowIcon(programIcon());
    Program program(allFeatures());
    FormMain window(program);
    window.show();
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        const QString path = files.first();
        // After the window is up, so a refused file's message has its owner on screen.
        QTimer::singleShot(0, &window, [&window, path] { window.loadFile(path); });
    }
    return app.exec();
}
