#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so tests can answer them.
namespace Messages {

enum class Icon { Exclamation, Critical, Information, Question };

struct Request
{
    QWidget *parent = nullptr;
    QString text;
    Icon icon = Icon::Exclamation;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QString caption;
    QString detail;  // a second, smaller text under the message (what exactly went wrong)
};

// Replaces the real message box (tests). An empty responder restores it.
using Responder = std::function<QMessageBox::StandardButton(const Request &)>;
void setResponder(Responder responder);

// The caption every message box carries.
QString caption();

QMessageBox::StandardButton show(QWidget *parent, const QString &text, Icon icon = Icon::Exclamation,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok);

inline void warn(QWidget *parent, const QString &text) { show(parent, text); }
// A warning with a detail under it.
void warn(QWidget *parent, const QString &text, const QString &detail);

// Asks about unsaved work: Save, Discard or Cancel; any other way out of the box is Cancel.
QMessageBox::StandardButton askToSave(QWidget *parent, const QString &text);

} // namespace Messages
