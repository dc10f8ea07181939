#pragma once

#include <QWidget>

class QLabel;
class QLayout;
class QTimer;

// The version box: the program's title and version, the project's credit and contact address,
// a warning, the bouncing program icon, and the host's system-information tool. One per program,
// not modal; closing hides it.
class FormVersion : public QWidget
{
    Q_OBJECT
public:
    explicit FormVersion(QWidget *parent = nullptr);

    // The icon's move on every tick of Timer1.
    void Timer1_Timer();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QLabel *picIcon() const { return m_icon; }
    QTimer *Timer1() const { return m_timer; }
    qint64 ticks() const { return m_ticks; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QLayout *buildHeading();
    QLayout *buildContact();
    QLayout *buildDisclaimerAndButtons();
    void Form_Load();

    QLabel *m_icon = nullptr;
    QTimer *m_timer = nullptr;
    qint64 m_ticks = 0;
};
