#pragma once

#include <QWidget>

class QPlainTextEdit;

// The program's own summary of the computer it runs on (system, Qt, processor, memory, screens),
// shown when no desktop tool is there to start, with a button that copies it for a support mail.
class FormSystemInfo : public QWidget
{
    Q_OBJECT
public:
    explicit FormSystemInfo(QWidget *parent = nullptr);

    QString text() const;

    // The summary, one "name: value" line per item.
    static QString summary();

private:
    QPlainTextEdit *m_text;
};
