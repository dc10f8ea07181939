#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every open and save dialog of the program goes through here, so tests can answer them.
namespace FileDialogs {

enum class Kind { Open, Save };

struct Request
{
    Kind kind = Kind::Open;
    QWidget *parent = nullptr;
    QString caption;
    QString directory;
    QString filter;  // Qt form: "desc (*.a);;desc (*.b)"
};

// Replaces the real dialog (tests); returns the chosen path or empty for "cancelled".
using Responder = std::function<QString(const Request &)>;
void setResponder(Responder responder);

// Converts a "description|pattern|description|pattern" filter into Qt's form.
// "*.*" means every file, as it does on the desktop the format comes from.
QString qtFilter(const QString &pipeFilter);

QString getOpenFileName(QWidget *parent, const QString &pipeFilter, const QString &directory = {},
                        const QString &caption = {});
// A name chosen without an extension gets the one of the filter's first pattern (".csv").
QString getSaveFileName(QWidget *parent, const QString &pipeFilter, const QString &directory = {},
                        const QString &caption = {});

} // namespace FileDialogs
