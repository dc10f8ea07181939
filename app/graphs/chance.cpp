#include "graphs/chance.h"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>

#include <numeric>

using namespace Qt::StringLiterals;

namespace Chance {

std::optional<Uniformity> uniformity(const std::vector<qint64> &counts, int perDraw)
{
    const qint64 total = std::accumulate(counts.begin(), counts.end(), qint64(0));
    if (counts.size() < 2 || total <= 0 || perDraw < 1 || size_t(perDraw) >= counts.size())
        return std::nullopt;
    const double expected = double(total) / double(counts.size());
    Uniformity test;
    for (const qint64 count : counts)
        test.chiSquare += (double(count) - expected) * (double(count) - expected) / expected;
    test.degrees = int(counts.size()) - 1;
    test.chiSquare *= double(test.degrees) / double(int(counts.size()) - perDraw);
    const boost::math::chi_squared_distribution<double> distribution(test.degrees);
    test.p = boost::math::cdf(boost::math::complement(distribution, test.chiSquare));
    return test;
}

QString uniformityText(const Uniformity &test)
{
    const QString figures = u"χ² = %1（自由度 %2）"_s.arg(test.chiSquare, 0, 'f', 2).arg(test.degrees);
    const QString p = QString::number(test.p, 'f', 3);
    if (test.p >= 0.05)
        return u"%1、p = %2：偏りは偶然の範囲"_s.arg(figures, p);
    return u"%1：偶然とは言いにくい偏り (p = %2)"_s.arg(figures, p);
}

Band countBand(qint64 trials, double p)
{
    if (trials <= 0 || p <= 0 || p >= 1)
        return {};
    // Whole counts: the lowest with more than 2.5% at or below it, the highest with more than
    // 2.5% at or above it. The library's quantiles rounded outwards land on or one step outside
    // them.
    using namespace boost::math::policies;
    using Outward = policy<discrete_quantile<integer_round_outwards>>;
    const boost::math::binomial_distribution<double, Outward> whole(double(trials), p);
    double low = boost::math::quantile(whole, 0.025);
    double high = boost::math::quantile(whole, 0.975);
    while (low < high && boost::math::cdf(whole, low) <= 0.025)
        ++low;
    while (high > low && boost::math::cdf(boost::math::complement(whole, high - 1)) <= 0.025)
        --high;
    return {low, high};
}

} // namespace Chance
