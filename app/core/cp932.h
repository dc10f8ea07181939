#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Shift-JIS as Windows writes it (code page 932), the encoding of every file the program reads
// and writes. Bytes 0x00-0x7F always stand for themselves, so commas, digits and line ends are
// found on the bytes whatever precedes them; an undecodable byte becomes U+FFFD. Decoding is
// stateless: a sequence cut off at the end of the input is decoded too, never held back.
namespace Cp932 {

QString decode(QByteArrayView bytes);
// A character the code page lacks becomes "?", as Windows writes it.
QByteArray encode(QStringView text);

} // namespace Cp932
