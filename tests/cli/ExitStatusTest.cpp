// The companion's exit statuses come from the failure's kind alone; the numbers are a
// documented contract, so each is pinned here.
#include "cli/ExitStatus.h"

#include <gtest/gtest.h>

namespace {

TEST(ExitStatus, EachFailureKindHasItsDocumentedStatus)
{
    const struct
    {
        FailureKind kind;
        int status;
    } cases[] = {
        {FailureKind::MapUnreadable, 3},  {FailureKind::NotAnArchive, 4},
        {FailureKind::Damaged, 4},        {FailureKind::NoScenario, 5},
        {FailureKind::UnsupportedSize, 6}, {FailureKind::Picture, 7},
        {FailureKind::TooManyColors, 8},  {FailureKind::Colors, 9},
        {FailureKind::Values, 10},        {FailureKind::BadScenario, 11},
        {FailureKind::Output, 12},        {FailureKind::WorkingFolder, 13},
        {FailureKind::ProtectedArchive, 14}, {FailureKind::GameData, 15},
        // Kinds the companion never meets end in the catch-all status, never in 0.
        {FailureKind::Unspecified, 1},    {FailureKind::NoMap, 1},
        {FailureKind::Settings, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(exitstatus::fromKind(c.kind), c.status) << int(c.kind);
}

} // namespace
