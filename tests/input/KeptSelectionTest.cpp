#include "input/KeptSelection.h"

#include <gtest/gtest.h>

namespace glossivo {
namespace {

constexpr unsigned long tk = 7, other = 9;

// Tk keeps PRIMARY while its selection changes: a selection of this gesture is told by its text.
TEST(KeptSelection, IsNewWhenTheTextDiffersFromThePressOrTheLastRead)
{
    struct Case {
        const char* name;
        unsigned long owner;
        HeldSelection atPress, lastRead;
        std::optional<QString> now;
        bool isNew;
    } cases[] = {
        {"same as at the press and read", tk, {tk, "were"}, {tk, "were"}, "were", false},
        {"differs from the press only", tk, {tk, "admit"}, {tk, "people"}, "people", true},
        {"differs from the read only", tk, {tk, "people"}, {tk, "were"}, "people", true},
        {"the press cleared it", tk, {tk, ""}, {other, "were"}, "people", true},
        {"the press's answer outstanding", tk, {tk, std::nullopt}, {tk, "were"}, "people", true},
        {"the press's answer outstanding, same as read", tk, {tk, {}}, {tk, "were"}, "were", false},
        {"an owner met neither at the press nor at a read",
         tk,
         {other, "a"},
         {other, "b"},
         "c",
         false},
        {"the owner does not answer", tk, {tk, "admit"}, {tk, "people"}, std::nullopt, false},
        {"no owner", 0, {0, "admit"}, {0, "people"}, "were", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeptSelection::isNew(
                      c.owner, [&c] { return c.now; }, c.atPress, c.lastRead),
                  c.isNew)
            << c.name;
}

} // namespace
} // namespace glossivo
