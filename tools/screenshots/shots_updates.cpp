#include "shots.h"

#include "core/appfiles.h"
#include "core/formmain.h"
#include "core/program.h"
#include "updates/formupdate.h"
#include "updates/sitebuilder.h"
#include "updates/sitesignature.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The progress log after an update from a site folder made on the spot: the week's draws new to
// a data folder that stops 3 draws short, a newer version announced, and the site's message.
void shootUpdates(FormMain &main, const QString &dir)
{
    QTemporaryDir root;
    const SiteSignature::KeyPair key = SiteSignature::generate();
    const QString data = AppFiles::bundledDir(u"data"_s);
    const QString program = root.filePath(u"zemvara_1.3.0_amd64.deb"_s);
    AppFiles::writeFile(program, QByteArray(4096, 'p'));
    SiteBuilder::Input input;
    input.drawsFolder = data;
    input.programFile = program;
    input.version = u"1.3.0"_s;
    input.notes = u"組み合わせ一覧の書き出しが速くなりました。"_s;
    input.message = u"年末年始の抽選日程をご確認ください。"_s;
    input.secretKey = key.secretKey;
    SiteBuilder::build(input, root.filePath(u"site"_s));

    const QByteArray full = AppFiles::readFile(QDir(data).filePath(u"LOTO6_Download.csv"_s)).bytes;
    QList<QByteArray> lines = full.split('\n');
    lines.erase(lines.end() - 4, lines.end() - 1);
    QDir().mkpath(root.filePath(u"user"_s));
    AppFiles::writeFile(root.filePath(u"user/LOTO6_Download.csv"_s), lines.join('\n'));
    AppFiles::writeFile(root.filePath(u"user/miniLOTO_Download.csv"_s),
                        AppFiles::readFile(QDir(data).filePath(u"miniLOTO_Download.csv"_s)).bytes);

    UpdateSetup setup;
    setup.extraKeys = {key.publicKey};
    setup.dataFolder = root.filePath(u"user"_s);
    FormUpdate window(setup, main.program());
    window.startUpdate(root.filePath(u"site"_s), false);
    QTRY_VERIFY_WITH_TIMEOUT(window.lastReport().has_value(), 30'000);
    saveShot(&window, dir, u"update-log"_s);
}
