#include "about/browser.h"

#include "core/messages.h"

#include <QDesktopServices>

using namespace Qt::StringLiterals;

namespace Browser {

namespace {
Opener &opener()
{
    static Opener o;
    return o;
}
} // namespace

void setOpener(Opener o)
{
    opener() = std::move(o);
}

bool open(QWidget *parent, const QUrl &url)
{
    const bool opened = url.isValid() && (opener() ? opener()(url) : QDesktopServices::openUrl(url));
    if (!opened) {
        const QString address = url.isEmpty() ? u"（アドレスなし）"_s : url.toDisplayString();
        Messages::warn(parent, u"ブラウザを起動できませんでした。\n次のアドレスをブラウザで開いてください。\n"_s + address);
    }
    return opened;
}

} // namespace Browser
