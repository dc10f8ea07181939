#include "core/tablewriter.h"

#include <QIODevice>

#include <algorithm>

TableWriter::TableWriter(QIODevice *device, Format format) : m_device(device), m_format(format)
{
    if (m_format == Format::Csv)
        write("\xEF\xBB\xBF");
}

void TableWriter::addCell(QStringView cell)
{
    const QChar separator = m_format == Format::Csv ? u',' : u'\t';
    if (m_rowStarted)
        m_line += separator;
    m_rowStarted = true;
    const auto special = [&](QChar c) {
        return c == separator || c == u'\n' || c == u'\r' || (m_format == Format::Csv && c == u'"');
    };
    if (std::none_of(cell.begin(), cell.end(), special)) {
        m_line += cell;
    } else if (m_format == Format::Tsv) {
        for (const QChar c : cell)
            m_line += special(c) ? QChar(u' ') : c;
    } else {
        m_line += u'"';
        for (const QChar c : cell) {
            m_line += c;
            if (c == u'"')
                m_line += c;
        }
        m_line += u'"';
    }
}

void TableWriter::endRow()
{
    m_line += m_format == Format::Csv ? QStringView(u"\r\n") : QStringView(u"\n");
    write(m_line.toUtf8());
    m_line.resize(0);  // keeps its room for the next row
    m_rowStarted = false;
}

void TableWriter::writeRow(const QStringList &cells)
{
    for (const QString &cell : cells)
        addCell(cell);
    endRow();
}

void TableWriter::write(QByteArrayView bytes)
{
    if (m_ok && m_device->write(bytes.data(), bytes.size()) != bytes.size())
        m_ok = false;
}
