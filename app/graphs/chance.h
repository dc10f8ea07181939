#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

// What chance alone does with counts of drawn numbers, for a player to read beside the counts.
namespace Chance {

// Pearson's test that counts come from numbers all equally likely. A draw shows `perDraw`
// different numbers at once, which makes the counts vary less than independent picks would: the
// plain sum is scaled by (N - 1) / (N - perDraw) for N numbers, so that chance alone gives it the
// χ² distribution of N - 1 degrees.
struct Uniformity
{
    double chiSquare = 0;
    int degrees = 0;
    double p = 1;  // how often chance alone gives a χ² at least this large
};
// Nothing for fewer than two numbers or no count at all.
std::optional<Uniformity> uniformity(const std::vector<qint64> &counts, int perDraw = 1);
// "χ² = 39.52（自由度 42）、p = 0.582：偏りは偶然の範囲", or "…：偶然とは言いにくい偏り (p = 0.012)"
// below 0.05.
QString uniformityText(const Uniformity &test);

// The range a binomial count of `trials` tries with chance `p` each falls in 95% of the time:
// its 2.5% and 97.5% quantiles.
struct Band
{
    double low = 0;
    double high = 0;
};
Band countBand(qint64 trials, double p);

} // namespace Chance
