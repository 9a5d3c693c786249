#include "tools/display/Options.h"

#include <gtest/gtest.h>

#include <vector>

using namespace display;

namespace {

Arguments parse(std::vector<const char*> args) {
    args.insert(args.begin(), "veltran-display");
    return parseArguments(static_cast<int>(args.size()), args.data());
}

TEST(Options, DefaultsPlayA9600DisplayWithATwoSecondErase) {
    Arguments a = parse({});
    ASSERT_FALSE(a.problem);
    EXPECT_EQ(a.command, Command::Run);
    EXPECT_EQ(a.options.baudRate, 9600U);
    EXPECT_EQ(a.options.eraseTime, fromMillis(2000));
    EXPECT_EQ(a.options.flashTime, fromMillis(5));
    EXPECT_FALSE(a.options.exitAfterIdle);
    EXPECT_FALSE(a.options.records);
}

TEST(Options, TakesValuesSeparateOrAfterAnEqualsSign) {
    Arguments a = parse({"--baud", "19200", "--erase-ms=150", "--flash-ms", "0",
                         "--exit-after-idle=700", "--records", "9", "--link", "/tmp/com1",
                         "--trace=/tmp/t.json", "--image", "/tmp/i.hex", "--quiet"});
    ASSERT_FALSE(a.problem) << describe(*a.problem);
    EXPECT_EQ(a.options.baudRate, 19200U);
    EXPECT_EQ(a.options.eraseTime, fromMillis(150));
    EXPECT_EQ(a.options.flashTime, 0);
    EXPECT_EQ(a.options.exitAfterIdle, fromMillis(700));
    EXPECT_EQ(a.options.records, 9);
    EXPECT_EQ(a.options.link, "/tmp/com1");
    EXPECT_EQ(a.options.trace, "/tmp/t.json");
    EXPECT_EQ(a.options.image, "/tmp/i.hex");
    EXPECT_TRUE(a.options.quiet);
    EXPECT_EQ(parse({"--device", "/dev/ttyUSB1"}).options.device, "/dev/ttyUSB1");
    EXPECT_EQ(parse({"--quiet", "--help"}).command, Command::Help);
    EXPECT_EQ(parse({"--version"}).command, Command::Version);
}

TEST(Options, RefusesABadCommandLineWithAUsageError) {
    struct Case {
        std::vector<const char*> args;
        Error error;
    };
    std::vector<Case> cases = {
        {{"--bogus"}, Error::UnknownOption},
        {{"--baud"}, Error::MissingValue},
        {{"--trace="}, Error::MissingValue},
        {{"--baud", "9601"}, Error::BadBaud},
        {{"--baud", "fast"}, Error::BadBaud},
        {{"--erase-ms", "-5"}, Error::BadNumber},
        {{"--flash-ms", "5ms"}, Error::BadNumber},
        {{"--exit-after-idle", "99999999999999999999"}, Error::BadNumber},
        {{"--records", "0"}, Error::BadNumber},
        {{"--quiet=yes"}, Error::UnexpectedValue},
        {{"/dev/pts/3"}, Error::UnexpectedArgument},
        {{"--device", "/dev/ttyUSB1", "--link", "/tmp/com1"}, Error::LinkWithDevice},
    };
    for (const Case& c : cases) {
        Arguments a = parse(c.args);
        ASSERT_TRUE(a.problem) << c.args[0];
        EXPECT_EQ(a.problem->error, c.error) << c.args[0];
        EXPECT_TRUE(isUsageError(a.problem->error));
    }
}

} // namespace
