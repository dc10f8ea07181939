#include "lookups/formsearch.h"

#include "core/controlarray.h"
#include "core/formhelpers.h"
#include "core/formmain.h"
#include "core/game.h"
#include "core/messages.h"
#include "core/widgets.h"
#include "lookups/numbersearch.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FormSearch::FormSearch(const ToolContext &context, QWidget *parent)
    : QWidget(parent ? parent : &context.mainWindow(), Qt::Window), m_context(context), m_result(this, context)
{
    setObjectName(u"FormSearch"_s);
    setWindowTitle(u"指定した番号から抽選結果の検索"_s);

    auto *layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName(u"Label1"_s);
    layout->addWidget(m_label);

    // Numbers separated by blanks; pasted text is checked by the search itself.
    auto *text = new NumericLineEdit(this);
    text->setExtraCharacters(u" "_s);
    m_text = text;
    m_text->setObjectName(u"Text1"_s);
    connect(m_text, &QLineEdit::returnPressed, this, &FormSearch::SearchNumbers);
    layout->addWidget(m_text);

    auto *row = new QHBoxLayout;
    const QString captions[] = {u"OR"_s, u"AND"_s, u"NOT"_s};
    for (int i = 0; i < 3; ++i) {
        auto *option = new QRadioButton(captions[i], this);
        setControlIndex(option, u"Option1"_s, i);
        row->addWidget(option);
        m_options.append(option);
    }
    m_options[NumberSearch::Or]->setChecked(true);
    row->addStretch(1);
    m_command = new QPushButton(u"検索"_s, this);
    m_command->setObjectName(u"Command1"_s);
    connect(m_command, &QPushButton::clicked, this, &FormSearch::Command1_Click);
    row->addWidget(m_command);
    layout->addLayout(row);

    resize(380, 130);
    Form_Load();
}

void FormSearch::Form_Load()
{
    m_label->setText(NumberSearch::prompt(m_context.runMode()));
}

QRadioButton *FormSearch::Option1(int index) const
{
    return m_options.value(index);
}

void FormSearch::Command1_Click()
{
    SearchNumbers();
}

void FormSearch::SearchNumbers()
{
    if (m_text->text().isEmpty())
        return;
    const NumberSearch::Parsed parsed = NumberSearch::parse(m_text->text(), m_context.runMode());
    if (!parsed.ok()) {
        Messages::warn(this, parsed.error);
        return;
    }
    m_result.prepare(NumberSearch::copyCaption(m_text->text()));
    MakeMain(parsed.cleaned);
    m_result.present();
}

void FormSearch::MakeMain(const QString &s)
{
    QList<QAbstractButton *> group;
    for (QRadioButton *option : std::as_const(m_options))
        group.append(option);
    const auto mode = NumberSearch::Mode(std::max(0, GetOptionIndex(group)));
    const DrawTable &source = m_context.mainWindow().table();
    // Opened by other means than the menu, the window searches the numbers and the bonus.
    const int noEnd = m_noEnd > 0 ? m_noEnd : NumberSearch::noEnd(m_context.runMode());
    const QList<int> rows = NumberSearch::search(source, noEnd, NumberSearch::cellTexts(s), mode);
    m_result.fill(m_context.runMode(), source, rows);
}

void FormSearch::closeEvent(QCloseEvent *event)
{
    // Only hidden: the typed numbers and the chosen mode stay for the next showing.
    m_result.close();
    hide();
    event->ignore();
}
