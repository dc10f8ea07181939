#pragma once

#include <QString>
#include <QtGlobal>

// Texts the windows and zemvara-cli show for results that every subsystem shares.
namespace Format {

// "選択数：12/250": selected rows of a list and all its rows.
QString selectionCount(qint64 selected, qint64 total);

} // namespace Format
