#include "shots.h"

#include "core/formmain.h"
#include "core/toolcontext.h"
#include "lookups/formbacktest.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The back-test of consecutive blocks of numbers (1-6, 7-12, … for LOTO6) over every draw.
void shootBackTest(FormMain &main, const QString &dir)
{
    main.Command1_Click(FormMain::SelectAll);
    const int picks = main.RunMode();
    std::vector<quint64> tickets;
    for (int first = 1; first + picks - 1 <= (picks == 6 ? 43 : 31); first += picks) {
        quint64 mask = 0;
        for (int n = first; n < first + picks; ++n)
            mask |= quint64(1) << n;
        tickets.push_back(mask);
    }
    FormBackTest window{ToolContext(main)};
    window.start(tickets, u"%1口"_s.arg(tickets.size()));
    QTRY_VERIFY_WITH_TIMEOUT(window.result().has_value(), 30'000);
    saveShot(&window, dir, u"backtest"_s);
}
