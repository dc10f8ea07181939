#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class QIODevice;

// Tables as text for other programs, written a row at a time to a device, so that no table
// needs a copy of itself in memory.
// Tab-separated (the clipboard, the command-line tool): LF line ends; a tab or line break inside
// a cell becomes a blank.
// CSV (files): UTF-8 with a byte-order mark (so spreadsheet programs read Japanese), CR LF line
// ends; a cell holding a comma, a quote or a line break is quoted, its quotes doubled.
class TableWriter
{
public:
    enum class Format { Tsv, Csv };

    // A CSV writer writes the byte-order mark at once.
    TableWriter(QIODevice *device, Format format);

    void addCell(QStringView cell);
    // Ends the row begun by addCell and writes it out.
    void endRow();
    void writeRow(const QStringList &cells);
    // False once a write to the device has failed.
    bool ok() const { return m_ok; }

private:
    void write(QByteArrayView bytes);

    QIODevice *m_device;
    Format m_format;
    QString m_line;
    bool m_rowStarted = false;
    bool m_ok = true;
};
