#pragma once

#include <QList>
#include <QString>

// The links of a help page, as the viewer's contents tree and index list are built from the
// contents page and the index page (the pages stay the one place that lists them).
namespace HelpOutline {

struct Link
{
    QString text;
    QString href;
    int level = 0;  // list nesting: 0 outside a list, 1 in a list, 2 in a list inside it, ...
};

// Every link of the page in document order; a link split by formatting is one link.
QList<Link> readLinks(const QString &html);

} // namespace HelpOutline
