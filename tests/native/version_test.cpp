// One version everywhere: the window caption ends with "R" and the version text
// that the version resources and the package name take from state/version.h,
// and that text is the major and minor numbers as the caption writes them.
#include <gtest/gtest.h>

#include <string>

#include "state/version.h"
#include "ui/control_table.h"

TEST(Version, CaptionResourcesAndPackageAgree) {
    const std::string caption = MAIN_WINDOW_CAPTION;
    const std::string tail = std::string(" R") + VARNOCK_VERSION_TEXT;
    ASSERT_GE(caption.size(), tail.size());
    EXPECT_EQ(caption.substr(caption.size() - tail.size()), tail);
    char numbers[16];
    std::snprintf(numbers, sizeof numbers, "%d.%02d", VARNOCK_VERSION_MAJOR, VARNOCK_VERSION_MINOR);
    EXPECT_STREQ(numbers, VARNOCK_VERSION_TEXT);
}
