#include "core/formmain.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/userdata.h"
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
    const QCommandLineOption siteOption(u"update-site"_s, u"Update site (https://… or a folder) checked at start-up."_s, u"URL|DIR"_s);
    const QCommandLineOption keyOption(u"trust-key"_s, u"File holding a further trusted public key of update sites (base64)."_s, u"FILE"_s);
    parser.addOption(siteOption);
    parser.addOption(keyOption);
    parser.process(app);

    QApplication::setWindowIcon(programIcon());
    QString keyError;
    const UpdateSetup updates = UpdateSetup::fromStart(parser.value(siteOption), parser.value(keyOption), &keyError);
    // The user's own copies of the draw files, made at first use; a failure only means the open
    // dialog starts in an empty folder.
    UserData::provideDrawFiles(UserData::folder());
    Program program(allFeatures(updates));
    FormMain window(program);
    window.show();
    if (!keyError.isEmpty())
        QTimer::singleShot(0, &window, [&window, keyError] { Messages::warn(&window, keyError); });
    for (const FeatureRegistry::MenuHandler &action : program.features().startupActions())
        action(window);
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        const QString path = files.first();
        // After the window is up, so a refused file's message has its owner on screen.
        QTimer::singleShot(0, &window, [&window, path] { window.loadFile(path); });
    }
    return app.exec();
}
