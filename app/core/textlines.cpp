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
    const qsizetype end = m_rest.indexOf(Unit('\n'));
    m_ended = end >= 0;
    View line = m_ended ? m_rest.first(end) : m_rest;
    m_rest = m_ended ? m_rest.sliced(end + 1) : View();
    if (line.endsWith(Unit('\r')))
        line.chop(1);
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
