#include "about/helpoutline.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace HelpOutline {

QList<Link> readLinks(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QList<Link> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.textList() ? block.textList()->format().indent() : 0;
        bool continues = false;  // the previous fragment of this block was part of the same link
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QString href = format.isAnchor() ? format.anchorHref() : QString();
            if (href.isEmpty()) {
                continues = false;
                continue;
            }
            if (continues && links.last().href == href)
                links.last().text += fragment.text();
            else
                links.append({fragment.text(), href, level});
            continues = true;
        }
    }
    for (Link &link : links)
        link.text = link.text.simplified();
    return links;
}

} // namespace HelpOutline
