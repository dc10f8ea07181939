// What the updater reads from a site it does not control: the manifest (checked as of a fixed
// time) and a draw file merged behind a local one. An input with a "\f" is the local and the site
// draw file on either side of it; any other is a manifest.
#include "core/drawfile.h"
#include "core/drawtable.h"
#include "updates/drawmerge.h"
#include "updates/sitemanifest.h"

#include "fuzzinput.h"

using namespace Qt::StringLiterals;

namespace {
void manifest(const QByteArray &bytes)
{
    const SiteManifest::Parsed parsed =
        SiteManifest::parse(bytes, QDateTime(QDate(2026, 12, 8), QTime(9, 0), Qt::UTC), u"linux-x86_64"_s);
    fuzz::check(parsed.manifest.has_value() != !parsed.error.isEmpty(), "a manifest both read and refused");
    if (!parsed.manifest)
        return;
    QList<SiteManifest::File> files = parsed.manifest->patterns;
    for (const SiteManifest::DrawFile &d : parsed.manifest->draws)
        files.append(d.file);
    if (parsed.manifest->help)
        files += parsed.manifest->help->files;
    for (const SiteManifest::File &f : files) {
        if (!f.problem.isEmpty())
            continue;
        fuzz::check(SiteManifest::isSafePath(f.path) && !f.path.contains(u".."_s) && !f.path.startsWith(u'/'), "an unsafe path let through");
        fuzz::check(f.size <= SiteManifest::kMaxFileBytes && f.sha256.size() == 32, "a file entry out of bounds");
    }
}

void merge(const QByteArray &local, const QByteArray &site)
{
    for (const int runMode : {6, 5}) {
        const DrawMerge::Result result = DrawMerge::merge(local, site, runMode);
        if (result.outcome != DrawMerge::Outcome::Appended)
            continue;
        fuzz::check(result.merged.startsWith(local), "a local draw rewritten");
        DrawTable before;
        DrawTable after;
        DrawFile::parse(local, before);
        fuzz::check(DrawFile::parse(result.merged, after).runMode == runMode, "a merged file of another game");
        fuzz::check(after.rowCount() == (local.isEmpty() ? 0 : before.rowCount()) + result.added, "draws lost or invented by the merge");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    const qsizetype cut = bytes.indexOf('\f');
    if (cut < 0)
        manifest(bytes);
    else
        merge(bytes.left(cut), bytes.mid(cut + 1));
    return 0;
}
