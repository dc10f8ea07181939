// Past-result check and search by numbers over every real LOTO6 draw, each including the
// fill of its result copy of the main window.
#include "benchsupport.h"

#include "core/drawtable.h"
#include "core/formmain.h"
#include "core/messages.h"
#include "core/widgets.h"
#include "lookups/formoldhit.h"
#include "lookups/lookupsfeature.h"
#include "lookups/formsearch.h"
#include "lookups/numbersearch.h"
#include "lookups/oldhit.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    return bench::runOnLoadedWindow(argc, argv, u"LOTO6_Download.csv"_s, [](FormMain &main) {
        const DrawTable &table = main.table();
        std::printf("draws: %d\n", table.rowCount());
        constexpr int runs = 41;

        auto *check = main.tools().get<FormOldHit>(LookupTools::OldHit);
        check->show();
        const QList<std::pair<QString, QStringList>> sets{
            {u"3 14 15 26 35 43"_s, {u"3"_s, u"14"_s, u"15"_s, u"26"_s, u"35"_s, u"43"_s}},
            {u"14 15 22 32 37 41 (the last draw)"_s, {u"14"_s, u"15"_s, u"22"_s, u"32"_s, u"37"_s, u"41"_s}},
        };
        for (const auto &[name, boxes] : sets) {
            for (int i = 0; i < OldHit::kBoxCount; ++i)
                check->Text1(i)->setText(boxes.value(i));
            bench::reportWindowStep(
                u"check "_s + name, runs, [&] { OldHit::check(table, 6, boxes); }, [&] { check->Command1_Click(); },
                u"<= 20 ms"_s);
            std::printf("  %d winning draws\n", check->resultWindow()->table().rowCount());
        }

        auto *search = main.tools().get<FormSearch>(LookupTools::Search);
        search->setNoEnd(NumberSearch::noEnd(6));
        search->show();
        search->Option1(NumberSearch::Or)->setChecked(true);
        for (const QString &text : {u"7 13"_s, u"1 2 3 4 5 6 7 8 9 10 11 12"_s}) {
            search->Text1()->setText(text);
            const QStringList cells = NumberSearch::cellTexts(text);
            bench::reportWindowStep(
                u"search OR "_s + text, runs,
                [&] { NumberSearch::search(table, 9, cells, NumberSearch::Mode::Or); },
                [&] { search->Command1_Click(); }, u"<= 20 ms"_s);
            std::printf("  %d draws\n", search->resultWindow()->table().rowCount());
        }
        bench::report(u"peak memory"_s, bench::peakRssMiB(), u"MiB"_s);
        return 0;
    });
}
