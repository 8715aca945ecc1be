// Test entry point: English language texts from the source tree, so that boxes carry real texts,
// and the sanitizers' options, with the committed suppressions for what Qt keeps until exit.
#include <gtest/gtest.h>

#include "config/LanguageText.h"
#include "tests/support/TestSupport.h"

extern "C" const char* __lsan_default_options() {
    return "suppressions=" MORVANE_SOURCE_DIR "/tests/lsan.supp:print_suppressions=0";
}

extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    morvane::LoadLanguageTexts((morvane::test::SourceDir() / "data" / "texts").string() + "/", "en");
    return RUN_ALL_TESTS();
}
