// Test entry point: English language texts from the source tree, so that boxes carry real texts.
#include <gtest/gtest.h>

#include "config/LanguageText.h"
#include "tests/support/TestSupport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    morvane::LoadLanguageTexts((morvane::test::SourceDir() / "data" / "texts").string() + "/",
                               "en");
    return RUN_ALL_TESTS();
}
