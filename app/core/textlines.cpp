#include "core/textlines.h"

template <typename View>
TextLines<View>::TextLines(View text) : m_rest(text)
{
}

template <typename View>
bool TextLines<View>::atEnd() const
{
    return m_rest.isEmpty();
}

template <typename View>
View TextLines<View>::next()
{
    using Unit = typename View::storage_type;
    qsizetype end = 0;
    while (end < m_rest.size() && m_rest[end] != Unit('\n') && m_rest[end] != Unit('\r'))
        ++end;
    m_ended = end < m_rest.size();
    const View line = m_rest.first(end);
    qsizetype after = end;
    if (m_ended)
        after += m_rest[end] == Unit('\r') && end + 1 < m_rest.size() && m_rest[end + 1] == Unit('\n') ? 2 : 1;
    m_rest = m_rest.sliced(after);
    return line;
}

template <typename View>
bool TextLines<View>::lineEnded() const
{
    return m_ended;
}

template <typename View>
View TextLines<View>::rest() const
{
    return m_rest;
}

template class TextLines<QByteArrayView>;
template class TextLines<QStringView>;
