#include "updates/updatesfeature.h"

#include "core/featureregistry.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/program.h"
#include "updates/formupdate.h"
#include "updates/sitesignature.h"

#include <QDir>
#include <QInputDialog>
#include <QTimer>

using namespace Qt::StringLiterals;

UpdateSetup UpdateSetup::fromStart(const QString &site, const QString &keyFile, QString *error)
{
    UpdateSetup setup;
    setup.site = site;
    if (setup.site.isEmpty())
        setup.site = qEnvironmentVariable("ZEMVARA_UPDATE_SITE");
    if (setup.site.isEmpty())
        setup.site = QStringLiteral(ZEMVARA_UPDATE_SITE);
    if (!keyFile.isEmpty()) {
        if (const std::optional<QByteArray> key = SiteSignature::readKeyFile(keyFile, SiteSignature::kPublicKeyBytes))
            setup.extraKeys.append(*key);
        else if (error)
            *error = u"鍵ファイル %1 を読めません（base64 の 1 行で 32 バイトの公開鍵）"_s.arg(QDir::toNativeSeparators(keyFile));
    }
    setup.stallMs = qEnvironmentVariableIntValue("ZEMVARA_UPDATE_STALL_MS");
    return setup;
}

namespace {
FormUpdate *updateWindow(Program &program)
{
    return qobject_cast<FormUpdate *>(program.programWindow(QString::fromLatin1(UpdateTools::Window)));
}

void menuDataUpdate_Click(FormMain &main, const UpdateSetup &setup)
{
    FormUpdate *window = updateWindow(main.program());
    if (!window)
        return;
    if (!window->isRunning()) {
        QString site = setup.site;
        if (site.isEmpty()) {
            // Nothing is kept: the address is asked for each time the program runs without one.
            bool ok = false;
            site = QInputDialog::getText(&main, u"オンライン更新"_s,
                                         u"更新サイトのアドレス（https://…）か、サイトを写したフォルダーを入力してください："_s,
                                         QLineEdit::Normal, {}, &ok)
                       .trimmed();
            if (!ok || site.isEmpty())
                return;
        }
        window->startUpdate(site, false);
    }
    showToolWindow(window, frameTopRight(&main));
}
} // namespace

void registerUpdates(FeatureRegistry &features, const UpdateSetup &setup)
{
    using Place = FeatureRegistry::Place;
    features.addProgramWindow(QString::fromLatin1(UpdateTools::Window),
                              [setup](Program &program) -> QWidget * { return new FormUpdate(setup, program); });
    features.addMenuEntry({u"menuDataUpdate"_s, u"オンライン更新…"_s, Place::Data, 10, u"menuDataUpdateSeparator"_s,
                           [setup](FormMain &main) {
                               if (&main == main.program().firstWindow())
                                   menuDataUpdate_Click(main, setup);
                           }});
    if (setup.site.isEmpty())
        return;
    // The check waits for the window to be drawn, and runs off the GUI thread: start-up does not
    // wait for the network.
    features.addStartupAction([setup](FormMain &main) {
        QTimer::singleShot(0, &main, [&main, setup] {
            if (FormUpdate *window = updateWindow(main.program()))
                window->startUpdate(setup.site, true);
        });
    });
}
