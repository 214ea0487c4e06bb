#include "data/file_io.h"
#include "data/landmark_set.h"
#include "data/set_state.h"
#include "data/user_error.h"
#include "support/fixture_builder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace korvland {
namespace {

using namespace std::string_literals;
using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::messageOf;

TEST(MessageEnglish, FillsEachPlaceholderOnceFromItsArguments) {
    const struct {
        Message message;
        const char* english;
    } cases[] = {
        {Message(Text("Unable to write to %1"), {"/x/%2 %1.ini"s}), "Unable to write to /x/%2 %1.ini"},
        {Message(Text("%2 before %1, %2 again"), {"a"s, "b"s}), "b before a, b again"},
        // Placeholders without an argument and other per-cent signs stay as written.
        {Message(Text("100% of %1; %3 and %0 and %"), {"x"s}), "100% of x; %3 and %0 and %"},
        // An argument that is a message of its own is filled in first.
        {Message(Text("%1; kept as %2"), {Message(Text("I/O error %1"), {"5"s}), "/old"s}),
         "I/O error 5; kept as /old"},
        // Plain text is no template.
        {Message("plain %1 text"s), "plain %1 text"},
        {Message(Text("")), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.message.english(), c.english) << c.message.source();
}

// A failure passed on with the file it is about keeps its template and arguments.
TEST(UserErrorMessage, NamingTheFileKeepsTheTemplate) {
    try {
        namingFile("/f/x.lmp", [] { throw UserError(fileError(ENOSPC, "/f/x.lmp")); });
        ADD_FAILURE() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "Disk full");
        EXPECT_EQ(error.message().source(), "Disk full");
        EXPECT_TRUE(error.message().translatable());
        EXPECT_EQ(error.path(), "/f/x.lmp");
    }
}

TEST(UserErrorMessage, APathTooLongToKeepIsNamedWithItsLength) {
    const std::string path = "/" + std::string(129, 'p');
    LandmarkSet set;
    const auto bytes = LandmarkFileBuilder().add(makeRecord(1, 0, 0, 0, "A", 1.0f, 1.0f)).bytes();
    try {
        set.readLandmarkBytes(path, bytes);
        ADD_FAILURE() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "The file's full path is 130 bytes long; at most 127 bytes can be kept");
        EXPECT_EQ(error.path(), path);
    }
    EXPECT_EQ(messageOf([&] { set.read(path); }),
              "The file's full path is 130 bytes long; at most 127 bytes can be kept");
}

} // namespace
} // namespace korvland
