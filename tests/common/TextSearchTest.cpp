#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/TextSearch.h"

using namespace morvane;

TEST(TextSearch, FindsTheFirstOccurrenceAtEveryPlace) {
    // Lengths and places around the 32-byte steps of the vector filter, compared with the
    // standard library's search.
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t nText = random() % 200;
        std::string sText;
        for (std::size_t i = 0; i < nText; ++i) {
            sText += "$AB=\r\n"[random() % 6];
        }
        std::string sFind;
        const std::size_t nFind = 1 + random() % 40;
        for (std::size_t i = 0; i < nFind; ++i) {
            sFind += "$AB=\r\n"[random() % 6];
        }
        if (round % 2 == 0 && nText >= nFind) {
            sText.replace(random() % (nText - nFind + 1), nFind, sFind);
        }
        const std::size_t nFrom = nText == 0 ? 0 : random() % (nText + 1);
        ASSERT_EQ(FindText(sText, sFind, nFrom), std::string_view(sText).find(sFind, nFrom))
            << "text '" << sText << "' find '" << sFind << "' from " << nFrom;
    }
}

TEST(TextSearch, EdgesOfTheText) {
    const std::string sText = std::string(64, '.') + "$X[7]=";
    EXPECT_EQ(FindText(sText, "$X[7]="), 64u);
    EXPECT_EQ(FindText(sText, "$X[7]=", 65), std::string_view::npos);
    EXPECT_EQ(FindText(sText, ""), std::string_view::npos);
    EXPECT_EQ(FindText(sText, "x", sText.size() + 1), std::string_view::npos);
    EXPECT_EQ(FindText("ab", "abc"), std::string_view::npos);
    EXPECT_EQ(FindText(std::string("a\0b", 3), std::string("\0b", 2)), 1u);
}
