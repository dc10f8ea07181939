#include "combinations/patterncursor.h"

QString PatternCursor::next(const PatternFolder::Request &request, const QStringList &files)
{
    if (request != m_last)
        m_index = 0;
    m_last = request;
    if (files.isEmpty())
        return {};
    // Files removed since the last click may leave the cursor past the end.
    if (m_index >= files.size())
        m_index = 0;
    const QString file = files[m_index];
    m_index = m_index + 1 >= files.size() ? 0 : m_index + 1;
    return file;
}
