#include "platform/files/Wildcard.h"

#include <gtest/gtest.h>

namespace {

TEST(Wildcard, MatchesNamesAsADirectorySearchDoes) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.*", "KTX_1.CSF", true},
        {"*.*", "README", true}, // the trailing ".*" also matches nothing
        {"*.*", ".", true},
        {"*.*", "..", true},
        {"X*.*", "XYZ", true},
        {"X*.*", "AXB", false},
        {"*", "", true},
        {"*.CSF", "ktx_1.csf", true},
        {"*.CSF", "X.CSF.BAK", false},
        {"*.CSF", "CSF", false},
        {"*.CSF", "X.CS", false},
        {"K?X*", "ktx_abc.csf", true},
        {"K?X", "KX", false},
        {"?", "", false},
        {"a*b*c", "aXXbYbc", true},
        {"a*b", "abcb", true},
        {"a*b", "abc", false},
        {"KTX.CSF", "ktx.csf", true},
        {"KTX.CSF", "KTX.CSF1", false},
        {"\xE4*", "\xC4X", false}, // only ASCII letters fold
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " / " + c.name);
        EXPECT_EQ(platform::matchesWildcard(c.pattern, c.name), c.matches);
    }
}

} // namespace
