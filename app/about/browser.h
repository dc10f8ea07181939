#pragma once

#include <QUrl>

#include <functional>

class QWidget;

// Opens addresses in the system's web browser.
namespace Browser {

// Replaces the real opening (tests). An empty opener restores it.
using Opener = std::function<bool(const QUrl &url)>;
void setOpener(Opener opener);

// Opens url in the browser; when none can be started, says so with the address to type by hand.
bool open(QWidget *parent, const QUrl &url);

} // namespace Browser
