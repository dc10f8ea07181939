#include "core/messages.h"

using namespace Qt::StringLiterals;

namespace Messages {

namespace {
Responder &responder()
{
    static Responder r;
    return r;
}

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: break;
    }
    return QMessageBox::Warning;
}
} // namespace

void setResponder(Responder r)
{
    responder() = std::move(r);
}

QString caption()
{
    return u"Zemvara"_s;
}

namespace {
QMessageBox::StandardButton ask(const Request &request)
{
    if (responder())
        return responder()(request);
    QMessageBox box(qtIcon(request.icon), request.caption, request.text, request.buttons, request.parent);
    box.setInformativeText(request.detail);
    return QMessageBox::StandardButton(box.exec());
}
} // namespace

QMessageBox::StandardButton show(QWidget *parent, const QString &text, Icon icon,
                                 QMessageBox::StandardButtons buttons)
{
    return ask({parent, text, icon, buttons, caption(), {}});
}

void warn(QWidget *parent, const QString &text, const QString &detail)
{
    ask({parent, text, Icon::Exclamation, QMessageBox::Ok, caption(), detail});
}

QMessageBox::StandardButton askToSave(QWidget *parent, const QString &text)
{
    const QMessageBox::StandardButton answer =
        show(parent, text, Icon::Question, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    return answer == QMessageBox::Save || answer == QMessageBox::Discard ? answer : QMessageBox::Cancel;
}

} // namespace Messages
