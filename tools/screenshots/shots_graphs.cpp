#include "shots.h"

#include "core/controlarray.h"
#include "core/formmain.h"
#include "core/widgets.h"
#include "graphs/formgraph.h"
#include "graphs/graphsfeature.h"
#include "graphs/formgraph2.h"
#include "graphs/formgraph3.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using namespace Qt::StringLiterals;

void shootGraphs(FormMain &main, const QString &dir)
{
    main.findChild<QLineEdit *>(u"Text1"_s)->setText(u"50"_s);
    controlAt<QPushButton>(&main, u"Command2"_s, 1)->click();

    main.findChild<QAction *>(u"menuEasyNumber"_s)->trigger();
    auto *graph = main.tools().get<FormGraph>(GraphTools::GraphWithoutBonus);
    auto *trend = main.tools().get<FormGraph2>(GraphTools::TrendWithoutBonus);
    saveShot(graph, dir, u"graph-without-bonus"_s);
    saveShot(trend, dir, u"trend-all"_s);

    trend->Command1_Click(BoxesClear);
    trend->Check1(6)->setChecked(true);
    trend->Check1(12)->setChecked(true);
    trend->Check2()->setChecked(true);
    saveShot(trend, dir, u"trend-7-13-rates"_s);
    FormGraph3 *chart = trend->graph3();
    saveShot(chart, dir, u"rate-chart-moving"_s);
    chart->Command1_Click();
    saveShot(chart, dir, u"rate-chart-final"_s);
    chart->Command3_Click();
    chart->findChild<QSlider *>(u"Slider1"_s)->setValue(160);
    saveShot(chart, dir, u"rate-chart-overlay"_s);
    chart->hide();
    trend->hide();
    graph->hide();

    main.findChild<QAction *>(u"menuBonus"_s)->trigger();
    auto *bonus = main.tools().get<FormGraph>(GraphTools::GraphBonusOnly);
    saveShot(bonus, dir, u"graph-bonus-only"_s);
    bonus->hide();
    main.tools().get<FormGraph2>(GraphTools::TrendBonusOnly)->hide();

    // The heaviest view: every draw, every number, with rates.
    main.Command1_Click(FormMain::SelectAll);
    main.findChild<QAction *>(u"menuEasyNumberB"_s)->trigger();
    auto *all = main.tools().get<FormGraph2>(GraphTools::TrendWithBonus);
    all->Check2()->setChecked(true);
    saveShot(main.tools().get<FormGraph>(GraphTools::GraphWithBonus), dir, u"graph-with-bonus-all"_s);
    saveShot(all, dir, u"trend-all-rates-all-draws"_s);
    saveShot(all->graph3(), dir, u"rate-chart-all"_s);
    all->close();
    main.tools().get<FormGraph>(GraphTools::GraphWithBonus)->close();
}
