#pragma once

#include <QByteArrayView>
#include <QStringView>

// The lines of a file, cut as every reader of the program cuts them: CR LF, LF and a CR alone
// each end a line (files written on any system, and ones whose line ends were mixed by hand),
// and a line end after the last line starts no further line (a last line without one still
// counts). Works on a file's bytes or on its decoded text alike:
// CR and LF never occur inside a Shift-JIS character. What a line means is the reader's own.
template <typename View>
class TextLines
{
public:
    explicit TextLines(View text);

    bool atEnd() const;
    // The next line; an empty one at the end.
    View next();
    // Whether the line next() gave last was ended by a line end.
    bool lineEnded() const;
    // What follows the line next() gave last.
    View rest() const;

private:
    View m_rest;
    bool m_ended = false;
};

extern template class TextLines<QByteArrayView>;
extern template class TextLines<QStringView>;
