#pragma once

#include <gtest/gtest.h>

#include <vector>

// Money figures in one check, told by place: exact to a few ulps unless a tolerance is given.
inline void expectFigures(const std::vector<double> &got, const std::vector<double> &want,
                          double tolerance = 0)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (tolerance == 0)
            EXPECT_DOUBLE_EQ(got[i], want[i]) << "figure " << i;
        else
            EXPECT_NEAR(got[i], want[i], tolerance) << "figure " << i;
    }
}
